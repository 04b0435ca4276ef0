#include <gtest/gtest.h>

#include <GL/gl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/glwindow.h"
#include "support/grids.h"
#include "render/fixed/fixed.h"
#include "terrain/texture.h"

namespace fs = std::filesystem;

namespace {

// Runs LoadTexture in a fresh folder holding the given colours.txt (or none),
// on a texture 1 without image; returns its console text.
class Texture : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestWindow();
        dir = fs::temp_directory_path() / ("vellmoor_tex_" + std::to_string(getpid()));
        fs::create_directories(dir);
        back = fs::current_path();
        fs::current_path(dir);
        const GLuint one = ramptexture;
        glDeleteTextures(1, &one);
    }
    void TearDown() override
    {
        fs::current_path(back);
        fs::remove_all(dir);
    }
    static std::string Load(const std::string *file)
    {
        fs::remove_all("colours.txt");
        if (file)
            std::ofstream("colours.txt", std::ios::binary) << *file;
        return CaptureStdout(LoadTexture);
    }
    static GLint Level(GLenum what)
    {
        glBindTexture(GL_TEXTURE_1D, ramptexture);
        GLint v = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_1D, 0, what, &v);
        return v;
    }
    fs::path dir, back;
};

std::string RampFile(int width, int components)
{
    std::string s = std::to_string(width) + " " + std::to_string(components) + "\n";
    for (int k = 0; k < width * components; ++k)
        s += "0.5 ";
    return s;
}

}  // namespace

TEST_F(Texture, LoadsTheRampAsTextureOneWithLinearFilters)
{
    const std::string file = RampFile(256, 3);
    EXPECT_EQ(Load(&file), "\nGetting colours.txt..Got it!\n256 3\n768");
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(Level(GL_TEXTURE_INTERNAL_FORMAT), 3);  // the number, as uploaded
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, &filter);
    EXPECT_EQ(filter, GL_REPEAT);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Texture, ComponentsChooseTheInternalFormat)
{
    const std::pair<int, GLint> cases[] = {{0, 1}, {-3, 1}, {2, 2}, {4, 4}, {7, 4}};
    for (auto [components, format] : cases) {
        const std::string file = RampFile(8, components);
        Load(&file);
        EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 8) << components;
        EXPECT_EQ(Level(GL_TEXTURE_INTERNAL_FORMAT), format) << components;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Texture, SamplesLandInTheirTexelsAndComponents)
{
    // Read back in each layout, the texels hold the file's samples in order:
    // two texels of luminance, luminance-alpha, RGB and RGBA.
    const GLenum layouts[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    for (int c = 1; c <= 4; ++c) {
        std::string file = "2 " + std::to_string(c) + "\n";
        std::vector<float> want;
        for (int k = 1; k <= 2 * c; ++k) {
            want.push_back(float(k) / 8);
            file += std::to_string(want.back()) + " ";
        }
        Load(&file);
        std::vector<float> got(want.size(), -1.0f);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_1D, 0, layouts[c - 1], GL_FLOAT, got.data());
        for (std::size_t k = 0; k < want.size(); ++k)
            EXPECT_NEAR(got[k], want[k], 1.0 / 255) << c << " components, sample " << k;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Texture, MissingFileLeavesNoImage)
{
    EXPECT_EQ(Load(nullptr), "\nGetting colours.txt..Where's colours.txt?!\n");
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 0);
}

TEST_F(Texture, OnlyARegularFileOrALinkToOneIsRead)
{
    const std::string ok = "\nGetting colours.txt..Got it!\n4 3\n12";
    const std::string file = RampFile(4, 3);
    std::ofstream("real.txt") << file;
    fs::create_symlink("real.txt", "colours.txt");
    EXPECT_EQ(CaptureStdout(LoadTexture), ok);
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 4);

    auto refused = [](const char *kind) {
        return "\nGetting colours.txt..colours.txt is " + std::string(kind) + ", not a regular file\n";
    };
    // A FIFO with no writer would block a plain open for ever.
    fs::remove("colours.txt");
    ASSERT_EQ(mkfifo("colours.txt", 0600), 0);
    EXPECT_EQ(CaptureStdout(LoadTexture), refused("a FIFO"));
    fs::remove("colours.txt");
    fs::create_directory("colours.txt");
    EXPECT_EQ(CaptureStdout(LoadTexture), refused("a directory"));
    fs::remove("colours.txt");
    fs::create_symlink("/dev/zero", "colours.txt");
    EXPECT_EQ(CaptureStdout(LoadTexture), refused("a device"));
    fs::remove("colours.txt");
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un at{};
    at.sun_family = AF_UNIX;
    std::snprintf(at.sun_path, sizeof at.sun_path, "colours.txt");
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr *>(&at), sizeof at), 0);
    EXPECT_EQ(CaptureStdout(LoadTexture), refused("a socket"));
    close(sock);
    fs::remove("colours.txt");
    fs::create_symlink("nowhere.txt", "colours.txt");  // dangling
    EXPECT_EQ(CaptureStdout(LoadTexture), "\nGetting colours.txt..Where's colours.txt?!\n");
    // None of the refusals touched the image of the good ramp.
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Texture, BadOrHugeHeadersLeaveNoImage)
{
    const std::string bad = "three 3\n1 2 3\n";
    EXPECT_EQ(Load(&bad), "\nGetting colours.txt..Got it!\n"
                          "colours.txt does not start with two integers (width, components)\n");
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 0);

    GLint max = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max);
    const std::string wide = std::to_string(2 * max) + " 3\n";
    EXPECT_EQ(Load(&wide), "\nGetting colours.txt..Got it!\ncolours.txt asks for " +
                               std::to_string(2 * max) + " texels, more than the " +
                               std::to_string(max) + " this GL allows\n");
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Texture, ZeroWidthAndShortFilesStillUpload)
{
    const std::string empty = "0 3\n";
    EXPECT_EQ(Load(&empty), "\nGetting colours.txt..Got it!\n0 3\n0");
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 0);

    const std::string shortfile = "4 1\n0.5\n";
    EXPECT_EQ(Load(&shortfile),
              "\nGetting colours.txt..Got it!\n4 1\n4\nOnly 1 of 4 samples in colours.txt, "
              "the rest are 0\n");
    const std::string unended = "4 1\n0.5 1";  // the file's last byte is a sample's
    EXPECT_EQ(Load(&unended), "\nGetting colours.txt..Got it!\n4 1\n4\nOnly 2 of 4 samples in colours.txt, "
                              "the rest are 0\n");
    EXPECT_EQ(Level(GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
