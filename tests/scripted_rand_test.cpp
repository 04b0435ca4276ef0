// FillArray with the C library's rand() replaced by a script, so that every
// dent is known: this executable defines rand() itself, and the height field
// code linked into it calls this one.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "support/grids.h"
#include "terrain/heightfield.h"

namespace {

std::deque<int> script;  // the next values rand() returns
int fallback;            // returned once the script is used up

std::vector<float> Ground()
{
    return std::vector<float>(&ground[0][0], &ground[0][0] + gridside * gridside);
}

// Every dent after the first: at (13, 13), far from (250, 100), depth draw
// 13 % 10 - 3 = 0, so no impulse, and over flat ground at 0 its relaxation
// moves nothing. Losses of 13 % 15 + 1 = 14 keep the spreading within 3 cells.
constexpr int idle = 13;

// FillArray with one real dent at (250, 100) from the depth draw `draw`;
// returns the ground after it.
std::vector<float> FillWithOneDent(int draw)
{
    script = {0, 250, 100, draw};  // 750 dents; the first at x 250, z 100
    fallback = idle;
    Generate(0);
    return Ground();
}

// The same dent by hand: the impulse, then its spreading with the same losses.
std::vector<float> DentByHand(float impulse)
{
    ClearGrids();
    ground[250][100] = impulse;
    script.clear();
    fallback = idle;
    dent(250, 100, -1, -1, 30);
    return Ground();
}

// The inner grid away from the wall and the idle dents: i, j in 20..480.
void ExpectSameMiddle(const std::vector<float> &a, const std::vector<float> &b)
{
    for (int i = 20; i <= 480; ++i)
        for (int j = 20; j <= 480; ++j)
            ASSERT_EQ(a[std::size_t(i) * gridside + j], b[std::size_t(i) * gridside + j])
                << i << "," << j;
}

}  // namespace

extern "C" int rand()
{
    if (script.empty())
        return fallback;
    const int v = script.front();
    script.pop_front();
    return v;
}

TEST(ScriptedDents, TheImpulseIsAbsDTimesDTimesFour)
{
    // Depth draws 9, 0 and 3 give d = 6, -3 and 0: impulses 144, -36 and 0.
    for (auto [draw, impulse] : {std::pair{9, 144.0f}, {0, -36.0f}, {3, 0.0f}, {4, 4.0f}}) {
        const auto filled = FillWithOneDent(draw);
        ExpectSameMiddle(filled, DentByHand(impulse));
        if (impulse != 0) {
            EXPECT_NE(filled[250 * gridside + 100], 0.0f) << draw;
        }
    }
}

TEST(ScriptedDents, XIsDrawnBeforeZ)
{
    const auto filled = FillWithOneDent(9);
    EXPECT_GT(filled[250 * gridside + 100], 0.0f);
    EXPECT_EQ(filled[100 * gridside + 250], 0.0f);
}

TEST(ScriptedDents, TheCountOfDentsFollowsTheFirstDraw)
{
    // 750 + 14: fourteen more dents than a first draw of 0, each one spinner frame.
    script = {14};
    fallback = idle;
    EXPECT_EQ(Generate(0).size(), 8 + 2u * 764);
    script = {15};  // 15 % 15 = 0
    EXPECT_EQ(Generate(0).size(), 8 + 2u * 750);
}
