#include <gtest/gtest.h>

#include <cmath>

#include "render/scene/projection.h"
#include "viewer/controls.h"
#include "viewer/viewer.h"

namespace {

constexpr double pi = 3.141592653589793;

class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetViewer();
        sina = 0;
        plane = 0.1;
        X = Y = 0;
    }
    static void ExpectHeadingCached()
    {
        EXPECT_DOUBLE_EQ(sina, std::sin(alpha * pi / 180));
        EXPECT_DOUBLE_EQ(cosa, std::cos(alpha * pi / 180));
    }
};

}  // namespace

TEST_F(Controls, ResetLeavesTheEyeHalfAUnitUpAndStill)
{
    xpos = 5, ypos = 6, zpos = 7, yspd = 1, hvel = 1, alpha = 30, beta = 20, cosa = 0;
    ResetViewer();
    EXPECT_EQ(xpos, 0);
    EXPECT_EQ(ypos, 0.5);
    EXPECT_EQ(zpos, 0);
    EXPECT_EQ(yspd, 0);
    EXPECT_EQ(hvel, 0);
    EXPECT_EQ(alpha, 0);
    EXPECT_EQ(beta, 0);
    EXPECT_EQ(cosa, 1);
}

TEST_F(Controls, ResetLeavesTheCachedSineAlone)
{
    // sina is never reset: it starts at 0 and only a change of heading moves it.
    sina = 0.25;
    ResetViewer();
    EXPECT_EQ(sina, 0.25);
    sina = 0;
    ResetViewer();
    hvel = 1;
    MoveViewer();
    EXPECT_EQ(xpos, 0);  // straight along -z
    EXPECT_EQ(zpos, -1);
}

TEST_F(Controls, ASpeedAtItsLimitTakesNoFurtherStep)
{
    // Limits are strict: exactly at the limit is no longer below it.
    yspd = 0.4;
    CharKey('/');
    CharKey('?');
    EXPECT_EQ(yspd, 0.4);
    yspd = -0.4;
    CharKey('\'');
    CharKey('"');
    EXPECT_EQ(yspd, -0.4);
    hvel = 2;
    SpecialKey(key_up, 0);
    SpecialKey(key_up, mod_shift);
    EXPECT_EQ(hvel, 2);
    hvel = -2;
    SpecialKey(key_down, 0);
    SpecialKey(key_down, mod_shift);
    EXPECT_EQ(hvel, -2);
}

TEST_F(Controls, FineAndCoarseVerticalStepsStopOneStepPastTheLimit)
{
    for (int k = 0; k < 100; ++k)
        EXPECT_FALSE(CharKey('/'));
    EXPECT_GE(yspd, 0.4);
    EXPECT_LT(yspd, 0.41 + 1e-9);

    yspd = -0.39;
    CharKey('"');
    EXPECT_NEAR(yspd, -0.44, 1e-12);
    CharKey('"');
    EXPECT_NEAR(yspd, -0.44, 1e-12);
    CharKey('\'');
    EXPECT_NEAR(yspd, -0.44, 1e-12);

    yspd = 0.39;
    CharKey('?');
    EXPECT_NEAR(yspd, 0.44, 1e-12);
    CharKey('?');
    EXPECT_NEAR(yspd, 0.44, 1e-12);

    yspd = 0;
    CharKey('\'');
    EXPECT_NEAR(yspd, -0.01, 1e-12);
}

TEST_F(Controls, StopClearsBothSpeedsOnlyAndOtherKeysDoNothing)
{
    yspd = 0.2, hvel = 1.5, alpha = 33, beta = -12, plane = 0.3;
    CharKey('s');
    EXPECT_EQ(yspd, 0);
    EXPECT_EQ(hvel, 0);
    yspd = 0.2, hvel = 1.5;
    CharKey('S');
    EXPECT_EQ(yspd, 0);
    EXPECT_EQ(hvel, 0);
    EXPECT_EQ(alpha, 33);
    EXPECT_EQ(beta, -12);
    EXPECT_EQ(plane, 0.3);

    yspd = 0.2, hvel = 1.5;
    for (int key : {int('a'), int('x'), int(' '), 13, 0, 255, int('q')})
        EXPECT_FALSE(CharKey(static_cast<unsigned char>(key)));
    EXPECT_EQ(yspd, 0.2);
    EXPECT_EQ(hvel, 1.5);
    EXPECT_TRUE(CharKey(27));
    EXPECT_FALSE(SpecialKey(1, 0));  // F1
    EXPECT_EQ(hvel, 1.5);
}

TEST_F(Controls, TurnsAreFineWithoutShiftAndCoarseWithShiftAlone)
{
    SpecialKey(key_right, 0);
    EXPECT_EQ(alpha, 0.5);
    ExpectHeadingCached();
    SpecialKey(key_right, mod_shift);
    EXPECT_EQ(alpha, 2.5);
    ExpectHeadingCached();
    SpecialKey(key_right, mod_shift | 2);  // Shift with Ctrl counts as without
    EXPECT_EQ(alpha, 3.0);
    SpecialKey(key_left, mod_shift | 4);  // Shift with Alt too
    EXPECT_EQ(alpha, 2.5);
    for (int k = 0; k < 200; ++k)
        SpecialKey(key_left, mod_shift);
    EXPECT_EQ(alpha, -397.5);  // no wrap, no clamp
    ExpectHeadingCached();
}

TEST_F(Controls, ForwardSpeedStopsOneStepPastTwo)
{
    SpecialKey(key_down, 0);
    EXPECT_NEAR(hvel, -0.05, 1e-12);  // backwards from rest
    hvel = 1.9;
    SpecialKey(key_up, mod_shift);
    EXPECT_NEAR(hvel, 2.1, 1e-12);
    SpecialKey(key_up, mod_shift);
    SpecialKey(key_up, 0);
    EXPECT_NEAR(hvel, 2.1, 1e-12);
    hvel = -1.99;
    SpecialKey(key_down, mod_shift);
    EXPECT_NEAR(hvel, -2.19, 1e-12);
    SpecialKey(key_down, 0);
    EXPECT_NEAR(hvel, -2.19, 1e-12);
}

TEST_F(Controls, PageKeysScaleThePlaneAndAskForANewProjection)
{
    for (int k = 0; k < 10; ++k)
        EXPECT_TRUE(SpecialKey(key_pageup, 0));
    EXPECT_NEAR(plane, 0.1 / std::pow(1.1, 10), 1e-12);
    EXPECT_NEAR(plane, 0.0386, 5e-5);
    plane = 0.1;
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(SpecialKey(key_pagedown, mod_shift));
    EXPECT_NEAR(plane, 0.161051, 1e-9);
    EXPECT_FALSE(SpecialKey(key_up, 0));
}

TEST_F(Controls, PageKeysStopWhereNoFrustumCouldBeBuilt)
{
    int changed = 0;
    for (int k = 0; k < 20000; ++k)
        changed += SpecialKey(key_pageup, 0);
    EXPECT_GT(changed, 800);  // float range: about 900 presses either way
    EXPECT_LT(changed, 20000);
    EXPECT_GT(plane, 0);
    EXPECT_TRUE(FrustumUsable(plane));
    EXPECT_FALSE(FrustumUsable(plane / 1.1));

    plane = 0.1;
    changed = 0;
    for (int k = 0; k < 20000; ++k)
        changed += SpecialKey(key_pagedown, 0);
    EXPECT_GT(changed, 800);  // float range: about 900 presses either way
    EXPECT_LT(changed, 20000);
    EXPECT_TRUE(FrustumUsable(plane));
    EXPECT_TRUE(SpecialKey(key_pageup, 0));  // and back it comes
}

TEST_F(Controls, OnlyALeftPressSetsTheAnchor)
{
    mfunc(button_left, 1, 40, 50);  // release
    mfunc(2, state_down, 40, 50);   // right button
    mfunc(1, state_down, 40, 50);   // middle button
    EXPECT_EQ(X, 0);
    EXPECT_EQ(Y, 0);
    mfunc(button_left, state_down, 40, 50);
    EXPECT_EQ(X, 40);
    EXPECT_EQ(Y, 50);
}

TEST_F(Controls, DragTurnsHalfADegreePerPixelAndClampsThePitch)
{
    mfunc(button_left, state_down, 100, 100);
    mofunc(103, 96);
    EXPECT_EQ(alpha, 1.5);  // right turns right
    EXPECT_EQ(beta, -2.0);  // up looks up
    EXPECT_EQ(X, 103);
    EXPECT_EQ(Y, 96);
    ExpectHeadingCached();

    mofunc(103, 1000);
    EXPECT_EQ(beta, 90);
    mofunc(103, -2000);
    EXPECT_EQ(beta, -90);
    mofunc(-5000, -2000);
    EXPECT_EQ(alpha, 1.5 - 5103 / 2.0);  // 5103 pixels left
    ExpectHeadingCached();
}

TEST_F(Controls, DragFromAStaleAnchorJumps)
{
    mfunc(button_left, state_down, 10, 10);
    mofunc(20, 10);
    // A right-button drag elsewhere starts from the last motion event.
    mfunc(2, state_down, 300, 10);
    mofunc(300, 10);
    EXPECT_EQ(alpha, 5 + 140);
}

TEST_F(Controls, MotionStepFollowsTheHeading)
{
    MoveViewer();
    EXPECT_EQ(xpos, 0);
    EXPECT_EQ(ypos, 0.5);
    EXPECT_EQ(zpos, 0);

    hvel = 1;
    MoveViewer();
    EXPECT_EQ(xpos, 0);
    EXPECT_EQ(zpos, -1);

    alpha = 90;
    SetHeading();
    zpos = 0;
    MoveViewer();
    EXPECT_NEAR(xpos, 1, 1e-12);
    EXPECT_NEAR(zpos, 0, 1e-12);

    hvel = 0;
    yspd = 0.1;
    beta = 80;  // pitch does not matter
    MoveViewer();
    EXPECT_DOUBLE_EQ(ypos, 0.4);
}
