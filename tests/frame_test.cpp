#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/glwindow.h"
#include "support/grids.h"
#include "render/cull.h"
#include "render/floorpass.h"
#include "render/projection.h"
#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/viewer.h"
#include "support/views.h"

namespace {

double glclip[16];  // the GL's own projection times model-view where the landscape is drawn

void ReadBackClip()
{
    double proj[16], model[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    ClipMatrix(proj, model, glclip);
}

bool Grey(Rgb c) { return c.r == c.g && c.g == c.b; }

// A frame in which no pixel has the landscape's colours: the ramp is never grey.
bool OnlySky(const std::vector<std::uint8_t> &frame)
{
    for (int y = 20; y < currH; ++y)  // below the overlay
        for (int x = 0; x < currW; ++x)
            if (!Grey(PixelAt(frame, x, y)))
                return false;
    return true;
}

class Frames : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OpenTestWindow();
        Generate(7);
        const auto back = std::filesystem::current_path();
        std::filesystem::current_path(VELLMOOR_SOURCE_DIR);
        CaptureStdout(LoadTexture);
        std::filesystem::current_path(back);
        UploadFloor();
    }
    void SetUp() override { ApplyView(views[0]); }
};

}  // namespace

TEST_F(Frames, CulledPassesGiveTheImmediatePixelsInEveryView)
{
    for (int v = 0; v < viewcount; ++v) {
        ApplyView(views[v]);
        const auto ref = RenderFrame(MakeFloor);
        EXPECT_TRUE(RenderFrame(BufferFloor) == ref) << views[v].name << ", buffer";
        EXPECT_TRUE(RenderFrame(ListFloor) == ref) << views[v].name << ", lists";
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << views[v].name;
    }
}

TEST_F(Frames, OverlayIsDarkGreyWithItsBaselineTenPixelsDown)
{
    const auto frame = RenderFrame(DrawFloor);
    int lowest = -1, count = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 8; ++x)  // the T
            if (PixelAt(frame, x, y).r == 61 && Grey(PixelAt(frame, x, y))) {
                lowest = std::max(lowest, y);
                ++count;
            }
    EXPECT_GT(count, 8);
    EXPECT_EQ(lowest, 9);  // the row just above the baseline
}

TEST_F(Frames, GlyphOriginsAreWidthPlusTwoApart)
{
    auto Mask = [](const char *text) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glNormal3f(0, -40, 0);
        glutTextOut(text);
        const auto f = ReadFrame();
        std::vector<bool> m(std::size_t(currW) * 14);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < currW; ++x)
                m[std::size_t(y) * currW + x] = PixelAt(f, x, y).r == 61;
        return m;
    };
    const auto one = Mask("T");
    const auto two = Mask("TT");
    const int step = glutBitmapWidth(GLUT_BITMAP_HELVETICA_12, 'T') + 2;
    int lit = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < currW; ++x) {
            const bool first = one[std::size_t(y) * currW + x];
            const bool second = x >= step && one[std::size_t(y) * currW + x - step];
            EXPECT_EQ(two[std::size_t(y) * currW + x], first || second) << x << "," << y;
            lit += first;
        }
    EXPECT_GT(lit, 8);
}

TEST_F(Frames, TextLeavesBothStacksAsItFoundThem)
{
    for (const char *text : {"", "Testing"}) {
        GLint mv = 0, pr = 0, mode = 0;
        glPushMatrix();
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &mv);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &pr);
        glutTextOut(text);
        GLint mv2 = 0, pr2 = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &mv2);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &pr2);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        glPopMatrix();
        EXPECT_EQ(mv2, mv) << '"' << text << '"';
        EXPECT_EQ(pr2, pr) << '"' << text << '"';
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
}

TEST_F(Frames, AfterAFrameTheModelViewIsTheIdentityAndTheWallNormalCurrent)
{
    for (void (*pass)() : {MakeFloor, BufferFloor, ListFloor}) {
        RenderFrame(pass);
        double m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        for (int k = 0; k < 16; ++k)
            EXPECT_EQ(m[k], k % 5 == 0 ? 1.0 : 0.0);
        float n[3];
        glGetFloatv(GL_CURRENT_NORMAL, n);
        EXPECT_EQ(n[0], 0.0f);
        EXPECT_EQ(n[1], -40.0f);
        EXPECT_EQ(n[2], 0.0f);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_1D));
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
    }
}

TEST_F(Frames, SkyIsLitGreyTurnsWithTheViewAndStaysWithTheEye)
{
    ypos = 2000;  // the ground lies beyond the far plane
    const auto still = RenderFrame(DrawFloor);
    EXPECT_TRUE(OnlySky(still));
    EXPECT_GT(PixelAt(still, 250, 30).r, PixelAt(still, 250, 470).r);  // light above

    xpos = 120, zpos = -80, ypos = 3000;
    EXPECT_TRUE(RenderFrame(DrawFloor) == still);

    alpha = 30;
    EXPECT_FALSE(RenderFrame(DrawFloor) == still);
    alpha = 0, beta = 25;
    EXPECT_FALSE(RenderFrame(DrawFloor) == still);
}

TEST_F(Frames, NoGroundFromBelow)
{
    // A flat field: hillsides steep enough can face an eye below them. The
    // passes have drawn the hills first, so they must rebuild for it.
    for (void (*pass)() : {BufferFloor, ListFloor})
        RenderFrame(pass);
    std::vector<float> saved(&ground[0][0], &ground[0][0] + gridside * gridside);
    std::fill(&ground[1][0], &ground[gridcells - 1][0] + gridside, 0.0f);
    for (int i = 1; i < gridcells; ++i)
        ground[i][0] = ground[i][gridcells] = 40;
    UploadFloor();
    for (void (*pass)() : {MakeFloor, BufferFloor, ListFloor}) {
        ypos = -30;
        beta = -90;  // looking straight up at the underside
        EXPECT_TRUE(OnlySky(RenderFrame(pass)));
        ypos = 30;  // the same spot from above shows ground
        beta = 90;
        EXPECT_FALSE(OnlySky(RenderFrame(pass)));
    }
    std::copy(saved.begin(), saved.end(), &ground[0][0]);
    UploadFloor();
}

TEST_F(Frames, WallShowsTheTopOfTheRamp)
{
    std::ifstream ramp(std::string(VELLMOOR_SOURCE_DIR) + "/colours.txt");
    int width = 0, components = 0;
    ramp >> width >> components;
    ASSERT_EQ(components, 3);
    std::vector<float> s(std::size_t(width) * 3);
    for (float &v : s)
        ramp >> v;
    // Coordinate 1 with linear filtering and repeat: half the last texel, half the first.
    // Above the corner cell, over its triangle of three wall vertices, looking down.
    xpos = GridCoord(0) + 0.2, zpos = GridCoord(0) + 0.2, ypos = 42, beta = 90;
    const Rgb c = PixelAt(RenderFrame(DrawFloor), 250, 250);
    const float *last = &s[s.size() - 3];
    EXPECT_NEAR(c.r, (s[0] + last[0]) / 2 * 255, 2);
    EXPECT_NEAR(c.g, (s[1] + last[1]) / 2 * 255, 2);
    EXPECT_NEAR(c.b, (s[2] + last[2]) / 2 * 255, 2);
}

TEST_F(Frames, CullingsClipMatrixIsTheOneTheGLDrawsWith)
{
    for (int v = 0; v < viewcount; ++v)
        for (double turn : {0.0, 33.3, -101.7}) {
            ApplyView(views[v]);
            alpha += turn, beta = std::clamp(beta - turn / 2, -90.0, 90.0);
            RenderFrame(ReadBackClip);
            double ours[16];
            ViewClip(ours);
            for (int k = 0; k < 16; ++k)
                EXPECT_NEAR(ours[k], glclip[k], 1e-5 * std::max(1.0, std::fabs(glclip[k])))
                    << views[v].name << ", turned " << turn << ", element " << k;
        }
}

TEST_F(Frames, CulledPassesAloneLeaveWhatTheImmediateStripsLeave)
{
    // What the overlay and the next frame see after the landscape pass: the
    // wall vertex [500][500]'s normal and texture coordinate, no arrays,
    // texturing off, texture 1 bound in replace mode.
    for (void (*pass)() : {BufferFloor, ListFloor}) {
        glPushMatrix();
        glRotatef(30, 1, 0, 0);
        glTranslatef(0, -20, 0);
        glNormal3f(1, 2, 3);
        glTexCoord1d(0.3);
        glDisable(GL_LIGHTING);
        pass();
        glEnable(GL_LIGHTING);
        glPopMatrix();
        float n[3], s[4];
        glGetFloatv(GL_CURRENT_NORMAL, n);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s);
        EXPECT_EQ(n[0], 0.0f);
        EXPECT_EQ(n[1], -40.0f);
        EXPECT_EQ(n[2], 0.0f);
        EXPECT_EQ(s[0], 1.0f);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_1D));
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
        GLint v = -1;
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &v);
        EXPECT_EQ(v, 0);
        glGetIntegerv(GL_TEXTURE_BINDING_1D, &v);
        EXPECT_EQ(v, 1);
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &v);
        EXPECT_EQ(v, GL_REPLACE);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

TEST_F(Frames, WithoutARampTheGroundTakesTheSkysColour)
{
    // Texture 1 without image: the strips take the current colour the sky
    // set, (0.3, 0.2, 0.3), unlit; the fog is too faint at 60 units to show.
    const GLuint one = ramptexture;
    glDeleteTextures(1, &one);
    ypos = 60, beta = 90;
    const auto frame = RenderFrame(DrawFloor);
    const auto back = std::filesystem::current_path();
    std::filesystem::current_path(VELLMOOR_SOURCE_DIR);
    CaptureStdout(LoadTexture);
    std::filesystem::current_path(back);
    for (auto [x, y] : {std::pair{250, 250}, {100, 400}, {400, 100}}) {
        const Rgb c = PixelAt(frame, x, y);
        EXPECT_NEAR(c.r, 0.3 * 255, 1.5) << x << "," << y;
        EXPECT_NEAR(c.g, 0.2 * 255, 1.5) << x << "," << y;
        EXPECT_NEAR(c.b, 0.3 * 255, 1.5) << x << "," << y;
    }
}
