#include <gtest/gtest.h>

#include <GL/gl.h>

#include "render/fixed/fixed.h"
#include "render/render.h"
#include "render/scene/projection.h"
#include "render/scene/strips.h"
#include "render/scene/view.h"
#include "support/glwindow.h"
#include "support/grids.h"
#include "support/views.h"
#include "terrain/heightfield.h"
#include "viewer/controls.h"
#include "viewer/viewer.h"

namespace {

// Every pass draws a frame; none leaves a GL error, and they agree.
void ExpectCleanFrames(const char *what)
{
    const auto ref = RenderFrame(ImmediateLandscape);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << what;
    for (LandscapePass pass : {BufferLandscape, ListLandscape}) {
        const auto fast = RenderFrame(pass);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << what;
        EXPECT_TRUE(ref == fast) << what << (pass == ListLandscape ? ", lists" : ", buffer");
    }
}

class Extremes : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OpenTestWindow();
        Generate(3);
        GridsChanged();
    }
    void SetUp() override { ApplyView(views[0]); }
    void TearDown() override { ApplyView(views[0]); }
};

}  // namespace

TEST_F(Extremes, SixtyPageDownsAndTwoHundredPageUps)
{
    for (int k = 0; k < 60; ++k) {
        if (SpecialKey(key_pagedown, 0))
            reshape(500, 500);
        if (k % 10 == 9)
            ExpectCleanFrames("page down");
    }
    plane = 0.1;
    for (int k = 0; k < 200; ++k) {
        if (SpecialKey(key_pageup, 0))
            reshape(500, 500);
        if (k % 40 == 39)
            ExpectCleanFrames("page up");
    }
}

TEST_F(Extremes, ScaleAtEitherLimit)
{
    for (int key : {key_pageup, key_pagedown}) {
        plane = 0.1;
        while (SpecialKey(key, 0)) {
        }
        reshape(500, 500);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        ExpectCleanFrames(key == key_pageup ? "nearest" : "farthest");
    }
}

TEST_F(Extremes, TinyAndEmptyWindows)
{
    for (auto [w, h] : {std::pair{1, 1}, {0, 0}, {1, 500}, {500, 1}}) {
        reshape(w, h);
        DrawFrame(CurrentView(), DrawLandscape);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << w << "x" << h;
    }
    reshape(500, 500);
    ExpectCleanFrames("back to 500 x 500");
}

TEST_F(Extremes, OutOfTheGridAboveAndBelow)
{
    const double spots[][3] = {{1000, 0.5, 0}, {0, 0.5, -900}, {0, -100, 0}, {260, 50, 260},
                               {0, 1e6, 0},    {-1e7, -1e7, 3e6}};
    for (auto &s : spots) {
        xpos = s[0], ypos = s[1], zpos = s[2];
        for (double b : {-90.0, 0.0, 45.0, 90.0}) {
            beta = b;
            ExpectCleanFrames("away");
        }
    }
}

TEST_F(Extremes, EveryKeyHeldDown)
{
    // Key repeat at about 30 a second for 10 s, each key in turn.
    const int codes[] = {key_left, key_right, key_up, key_down, key_pageup, key_pagedown};
    for (int code : codes)
        for (int k = 0; k < 300; ++k) {
            if (SpecialKey(code, k % 2 ? mod_shift : 0))
                reshape(500, 500);
            MoveViewer();
        }
    for (unsigned char c : {'\'', '"', '/', '?', 's', 'S', 'q', ' '})
        for (int k = 0; k < 300; ++k) {
            EXPECT_FALSE(CharKey(c));
            MoveViewer();
        }
    EXPECT_GE(yspd, -0.45);
    EXPECT_LE(yspd, 0.45);
    ExpectCleanFrames("after every key");
}
