#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "render/fixed/fixed.h"
#include "render/render.h"
#include "render/scene/cull.h"
#include "render/scene/matrix.h"
#include "render/scene/projection.h"
#include "render/scene/strips.h"
#include "render/scene/view.h"
#include "support/glwindow.h"
#include "support/grids.h"
#include "support/views.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/viewer.h"

namespace {

double glclip[16];  // the GL's own projection times model-view where the landscape is drawn

void ReadBackClip(const FrameView &)
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
        LoadRampFrom(VELLMOOR_SOURCE_DIR);
        GridsChanged();
    }
    void SetUp() override { ApplyView(views[0]); }
};

}  // namespace

TEST_F(Frames, CulledPassesGiveTheImmediatePixelsInEveryView)
{
    for (int v = 0; v < viewcount; ++v) {
        ApplyView(views[v]);
        const auto ref = RenderFrame(ImmediateLandscape);
        EXPECT_TRUE(RenderFrame(BufferLandscape) == ref) << views[v].name << ", buffer";
        EXPECT_TRUE(RenderFrame(ListLandscape) == ref) << views[v].name << ", lists";
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << views[v].name;
    }
}

// Below the overlay, the shader pass's frame against the fixed-function one
// on the same GL. Measured on llvmpipe: at most 24 pixels a view apart, by
// one level; bounded at 0.2 % of them, by up to 3 levels.
TEST_F(Frames, ShaderPassDrawsTheFixedFunctionFrameInEveryView)
{
    OpenShaderWindow(VELLMOOR_SOURCE_DIR);
    for (int v = 0; v < viewcount; ++v) {
        UseWindow(false);
        ApplyView(views[v]);
        const auto ref = RenderFrame(DrawLandscape);
        UseWindow(true);
        const auto frame = RenderFrame(nullptr);
        int apart = 0, most = 0;  // pixels not the same; the largest difference, levels
        for (int y = 20; y < currH; ++y)
            for (int x = 0; x < currW; ++x) {
                const Rgb a = PixelAt(ref, x, y), b = PixelAt(frame, x, y);
                const int d = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
                most = std::max(most, d);
                apart += d > 0;
            }
        EXPECT_LE(most, 3) << views[v].name;
        EXPECT_LE(apart, currW * (currH - 20) / 500) << views[v].name;
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << views[v].name;
    }
    UseWindow(false);
}

// As after a lost context: every GL object made again, the ramp uploaded again.
TEST_F(Frames, EachRendererDrawsTheSameFrameOnceStartedAgain)
{
    OpenShaderWindow(VELLMOOR_SOURCE_DIR);
    for (bool shaders : {false, true}) {
        UseWindow(shaders);
        ApplyView(views[1]);
        const auto before = RenderFrame(nullptr);
        setenv("VELLMOOR_SHADERS", shaders ? "1" : "0", 1);
        RestartRenderer();
        unsetenv("VELLMOOR_SHADERS");
        EXPECT_TRUE(RenderFrame(nullptr) == before) << "shaders " << shaders;
    }
    UseWindow(false);
}

TEST_F(Frames, OverlayIsDarkGreyWithItsBaselineTenPixelsDown)
{
    OpenShaderWindow(VELLMOOR_SOURCE_DIR);
    for (bool shaders : {false, true}) {
        UseWindow(shaders);
        const auto frame = RenderFrame(shaders ? nullptr : DrawLandscape);
        int lowest = -1, count = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 8; ++x)  // the T
                if (PixelAt(frame, x, y).r == 61 && Grey(PixelAt(frame, x, y))) {
                    lowest = std::max(lowest, y);
                    ++count;
                }
        EXPECT_GT(count, 8) << "shaders " << shaders;
        EXPECT_EQ(lowest, 9) << "shaders " << shaders;  // the row just above the baseline
    }
    UseWindow(false);
}

TEST_F(Frames, GlyphOriginsAreWidthPlusTwoApart)
{
    auto Mask = [](const char *text) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glNormal3f(0, -40, 0);
        glutTextOut(text, currW, currH);
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
        glutTextOut(text, currW, currH);
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
    for (LandscapePass pass : {ImmediateLandscape, BufferLandscape, ListLandscape}) {
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
    const auto still = RenderFrame(DrawLandscape);
    EXPECT_TRUE(OnlySky(still));
    EXPECT_GT(PixelAt(still, 250, 30).r, PixelAt(still, 250, 470).r);  // light above

    xpos = 120, zpos = -80, ypos = 3000;
    EXPECT_TRUE(RenderFrame(DrawLandscape) == still);

    alpha = 30;
    EXPECT_FALSE(RenderFrame(DrawLandscape) == still);
    alpha = 0, beta = 25;
    EXPECT_FALSE(RenderFrame(DrawLandscape) == still);
}

TEST_F(Frames, NoGroundFromBelow)
{
    // A flat field: hillsides steep enough can face an eye below them. The
    // passes have drawn the hills first, so they must rebuild for it.
    for (LandscapePass pass : {BufferLandscape, ListLandscape})
        RenderFrame(pass);
    std::vector<float> saved(&ground[0][0], &ground[0][0] + gridside * gridside);
    std::fill(&ground[1][0], &ground[gridcells - 1][0] + gridside, 0.0f);
    for (int i = 1; i < gridcells; ++i)
        ground[i][0] = ground[i][gridcells] = 40;
    GridsChanged();
    for (LandscapePass pass : {ImmediateLandscape, BufferLandscape, ListLandscape}) {
        ypos = -30;
        beta = -90;  // looking straight up at the underside
        EXPECT_TRUE(OnlySky(RenderFrame(pass)));
        ypos = 30;  // the same spot from above shows ground
        beta = 90;
        EXPECT_FALSE(OnlySky(RenderFrame(pass)));
    }
    std::copy(saved.begin(), saved.end(), &ground[0][0]);
    GridsChanged();
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
    OpenShaderWindow(VELLMOOR_SOURCE_DIR);
    for (bool shaders : {false, true}) {
        UseWindow(shaders);
        const Rgb c = PixelAt(RenderFrame(shaders ? nullptr : DrawLandscape), 250, 250);
        const float *last = &s[s.size() - 3];
        EXPECT_NEAR(c.r, (s[0] + last[0]) / 2 * 255, 2) << "shaders " << shaders;
        EXPECT_NEAR(c.g, (s[1] + last[1]) / 2 * 255, 2) << "shaders " << shaders;
        EXPECT_NEAR(c.b, (s[2] + last[2]) / 2 * 255, 2) << "shaders " << shaders;
    }
    UseWindow(false);
}

// As the 1D texture gives the ramp, linearly filtered and repeated, in both
// passes: each texel at its centre, neighbours evenly mixed on their border,
// and both ends an even mix of the first and the last texel.
TEST_F(Frames, RampGivesTexelsAtCentresAndMixesAtBordersAndEnds)
{
    const float t[4][3] = {{0.8f, 0.2f, 0.4f}, {0.2f, 0.8f, 0.6f}, {0.4f, 0.4f, 0}, {0, 0.6f, 1}};
    const std::string dir = ::testing::TempDir() + "/vellmoor_ramp4";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/colours.txt") << "4 3 .8 .2 .4 .2 .8 .6 .4 .4 0 0 .6 1";
    OpenShaderWindow(VELLMOOR_SOURCE_DIR);
    xpos = zpos = 0, ypos = 10, beta = 90;
    const struct {
        float coord;
        int a, b;  // the texels mixed evenly
    } cases[] = {{0.125f, 0, 0}, {0.375f, 1, 1}, {0.625f, 2, 2}, {0.875f, 3, 3}, {0.25f, 0, 1}, {0, 0, 3}, {1, 3, 0}};
    for (bool shaders : {false, true}) {
        UseWindow(shaders);
        LoadRampFrom(dir);
        for (const auto &k : cases) {
            ClearGrids();
            std::fill(&gndtex[0][0], &gndtex[0][0] + gridside * gridside, k.coord);
            GridsChanged();
            const Rgb c = PixelAt(RenderFrame(shaders ? nullptr : DrawLandscape), 250, 250);
            const int got[3] = {c.r, c.g, c.b};
            for (int ch = 0; ch < 3; ++ch)
                EXPECT_NEAR(got[ch], (t[k.a][ch] + t[k.b][ch]) / 2 * 255, 1.5)
                    << "shaders " << shaders << ", coordinate " << k.coord << ", channel " << ch;
        }
        LoadRampFrom(VELLMOOR_SOURCE_DIR);
    }
    Generate(7);
    GridsChanged();
    UseWindow(false);
}

TEST_F(Frames, CullingsClipMatrixIsTheOneTheGLDrawsWith)
{
    for (int v = 0; v < viewcount; ++v)
        for (double turn : {0.0, 33.3, -101.7}) {
            ApplyView(views[v]);
            alpha += turn, beta = std::clamp(beta - turn / 2, -90.0, 90.0);
            RenderFrame(ReadBackClip);
            const FrameView ours = CurrentView();
            for (int k = 0; k < 16; ++k)
                EXPECT_NEAR(ours.clip[k], glclip[k], 1e-5 * std::max(1.0, std::fabs(glclip[k])))
                    << views[v].name << ", turned " << turn << ", element " << k;
        }
}

TEST_F(Frames, CulledPassesAloneLeaveWhatTheImmediateStripsLeave)
{
    // What the overlay and the next frame see after the landscape pass: the
    // wall vertex [500][500]'s normal and texture coordinate, no arrays,
    // texturing off, texture 1 bound in replace mode.
    for (LandscapePass pass : {BufferLandscape, ListLandscape}) {
        glPushMatrix();
        glRotatef(30, 1, 0, 0);
        glTranslatef(0, -20, 0);
        glNormal3f(1, 2, 3);
        glTexCoord1d(0.3);
        glDisable(GL_LIGHTING);
        pass(CurrentView());
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
    // Texture 1 without image, or none loaded: the strips take the current
    // colour the sky set, (0.3, 0.2, 0.3), unlit; the fog is too faint at 60
    // units to show.
    const GLuint one = ramptexture;
    glDeleteTextures(1, &one);
    ypos = 60, beta = 90;
    const auto frame = RenderFrame(DrawLandscape);
    LoadRampFrom(VELLMOOR_SOURCE_DIR);
    OpenShaderWindow(VELLMOOR_SOURCE_DIR);
    EXPECT_EQ(LoadRampFrom(::testing::TempDir()), "\nGetting colours.txt..Where's colours.txt?!\n");
    const auto shaded = RenderFrame(nullptr);
    LoadRampFrom(VELLMOOR_SOURCE_DIR);
    UseWindow(false);
    for (const auto &f : {frame, shaded})
        for (auto [x, y] : {std::pair{250, 250}, {100, 400}, {400, 100}}) {
            const Rgb c = PixelAt(f, x, y);
            EXPECT_NEAR(c.r, 0.3 * 255, 1.5) << x << "," << y;
            EXPECT_NEAR(c.g, 0.2 * 255, 1.5) << x << "," << y;
            EXPECT_NEAR(c.b, 0.3 * 255, 1.5) << x << "," << y;
        }
}
