#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <string>
#include <vector>

#include "support/grids.h"
#include "terrain/heightfield.h"

namespace {

constexpr int last = gridcells;  // highest index

std::vector<float> Snapshot()
{
    std::vector<float> v(&ground[0][0], &ground[0][0] + gridside * gridside);
    v.insert(v.end(), &gndtex[0][0], &gndtex[0][0] + gridside * gridside);
    return v;
}

}  // namespace

TEST(FillArray, WallsAndCornersAreFortyHighAndTopOfTheRamp)
{
    Generate(1);
    for (int k = 0; k < gridside; ++k)
        for (auto [i, j] : {std::pair{0, k}, {last, k}, {k, 0}, {k, last}}) {
            ASSERT_EQ(ground[i][j], 40.0f) << i << "," << j;
            ASSERT_EQ(gndtex[i][j], 1.0f) << i << "," << j;
        }
}

TEST(FillArray, InnerColoursFollowTheRangeThatIncludesZero)
{
    Generate(2);
    double lo = 0, hi = 0;
    for (int i = 1; i < last; ++i)
        for (int j = 1; j < last; ++j) {
            lo = std::min<double>(lo, ground[i][j]);
            hi = std::max<double>(hi, ground[i][j]);
        }
    ASSERT_LT(lo, 0);
    ASSERT_GT(hi, 0);
    for (int i = 1; i < last; ++i)
        for (int j = 1; j < last; ++j) {
            ASSERT_GE(gndtex[i][j], 0.0f);
            ASSERT_LE(gndtex[i][j], 1.0f);
            ASSERT_EQ(gndtex[i][j], float((ground[i][j] - lo) / (hi - lo)));
        }
}

TEST(FillArray, SpinnerWritesOneTurningFramePerDent)
{
    const std::string out = Generate(3);
    srand(3);
    const int dents = 750 + rand() % 15;
    ASSERT_EQ(out.size(), 8 + 2u * dents);
    EXPECT_EQ(out.substr(0, 8), "Denting-");
    for (int k = 0; k < dents; ++k) {
        const int n = dents - k;
        EXPECT_EQ(out[8 + 2 * k], '\b');
        EXPECT_EQ(out[9 + 2 * k], "-\\|/"[n % 4]) << "frame " << k;
    }
}

TEST(FillArray, SameSeedSameLandscapeOtherSeedOther)
{
    Generate(11);
    const auto a = Snapshot();
    Generate(11);
    EXPECT_TRUE(a == Snapshot());
    Generate(12);
    EXPECT_FALSE(a == Snapshot());
}

TEST(MapColours, FlatInteriorMapsToZeroAndPositiveHillsStartAtZero)
{
    ClearGrids();
    MapColours();
    for (int i = 1; i < last; ++i)
        for (int j = 1; j < last; ++j)
            ASSERT_EQ(gndtex[i][j], 0.0f) << i << "," << j;

    ground[10][10] = 8;  // all inner heights >= 0: the range still starts at 0
    ground[20][20] = 2;
    MapColours();
    EXPECT_EQ(gndtex[10][10], 1.0f);
    EXPECT_EQ(gndtex[20][20], 0.25f);
    EXPECT_EQ(gndtex[30][30], 0.0f);
    EXPECT_EQ(gndtex[0][0], 0.0f);  // the wall is not touched
}

TEST(Dent, StrengthZeroOnlyRelaxesTheVertexItself)
{
    ClearGrids();
    ground[100][100] = 10;
    ground[101][100] = 0;
    dent(100, 100, -1, -1, 0);  // a start: nothing moves
    EXPECT_EQ(ground[100][100], 10.0f);
    dent(101, 100, 100, 100, 0);  // 40 % of the way from 0 to 10
    EXPECT_FLOAT_EQ(ground[101][100], 4.0f);
    EXPECT_EQ(ground[102][100], 0.0f);
}

// Runs a strength-1 dent from (x, z) over a cleared grid with 10 there;
// returns how many values it drew from rand().
int DentDraws(int x, int z)
{
    ClearGrids();
    ground[x][z] = 10;
    srand(4);
    dent(x, z, -1, -1, 1);
    const int after = rand();
    srand(4);
    for (int n = 0; n < 10; ++n)
        if (rand() == after)
            return n;
    return -1;
}

TEST(Dent, StrengthOneReachesTheFourNeighboursOnce)
{
    EXPECT_EQ(DentDraws(100, 100), 4);
    EXPECT_EQ(ground[100][100], 10.0f);
    for (auto [i, j] : {std::pair{99, 100}, {101, 100}, {100, 99}, {100, 101}})
        EXPECT_FLOAT_EQ(ground[i][j], 4.0f) << i << "," << j;  // 40 % of the way to 10
    EXPECT_EQ(ground[98][100], 0.0f);
    EXPECT_EQ(ground[99][99], 0.0f);
}

// A seed whose first draw of rand() % 15 is 0 and whose sixth to eighth are
// not: a strength-2 dent then spreads on from its first neighbour only.
unsigned SeedSpreadingFirstOnly()
{
    for (unsigned seed = 1;; ++seed) {
        srand(seed);
        int r[8];
        for (int &v : r)
            v = rand() % 15;
        if (r[0] == 0 && r[5] && r[6] && r[7])
            return seed;
    }
}

TEST(Dent, VisitsXMinusOneThenXPlusOneThenZMinusOneThenZPlusOne)
{
    // Worked by hand, grid 0 with 10 at the centre c = (100, 100):
    // x-1 gets strength 1: relaxed to 4, it relaxes its own four neighbours
    // towards 4 (1.6 each), among them c itself: 10 + (4 - 10) * 0.4 = 7.6.
    // Then x+1, z-1 and z+1 get strength 0 and relax towards 7.6: 3.04.
    const unsigned seed = SeedSpreadingFirstOnly();
    ClearGrids();
    ground[100][100] = 10;
    srand(seed);
    dent(100, 100, -1, -1, 2);
    EXPECT_FLOAT_EQ(ground[100][100], 7.6f);
    EXPECT_FLOAT_EQ(ground[99][100], 4.0f);
    EXPECT_FLOAT_EQ(ground[98][100], 1.6f);
    EXPECT_FLOAT_EQ(ground[99][99], 1.6f);
    EXPECT_FLOAT_EQ(ground[99][101], 1.6f);
    for (auto [i, j] : {std::pair{101, 100}, {100, 99}, {100, 101}})
        EXPECT_FLOAT_EQ(ground[i][j], 3.04f) << i << "," << j;
    EXPECT_EQ(ground[102][100], 0.0f);
    EXPECT_EQ(ground[101][101], 0.0f);
}

TEST(Dent, NextToTheEdgeStillReachesIt)
{
    EXPECT_EQ(DentDraws(last - 1, 250), 4);
    EXPECT_FLOAT_EQ(ground[last][250], 4.0f);
    EXPECT_EQ(DentDraws(250, last - 1), 4);
    EXPECT_FLOAT_EQ(ground[250][last], 4.0f);
    EXPECT_EQ(DentDraws(1, 1), 4);
    EXPECT_FLOAT_EQ(ground[0][1], 4.0f);
    EXPECT_FLOAT_EQ(ground[1][0], 4.0f);
}

TEST(Dent, AtTheEdgeSkipsNeighboursOutsideTheGrid)
{
    EXPECT_EQ(DentDraws(0, 0), 2);
    EXPECT_FLOAT_EQ(ground[1][0], 4.0f);
    EXPECT_FLOAT_EQ(ground[0][1], 4.0f);
    EXPECT_EQ(DentDraws(last, 250), 3);
    EXPECT_FLOAT_EQ(ground[last - 1][250], 4.0f);
    EXPECT_FLOAT_EQ(ground[last][249], 4.0f);
    EXPECT_FLOAT_EQ(ground[last][251], 4.0f);

    ClearGrids();
    ground[last][last] = -5;
    dent(last, last, -1, -1, 1);
    EXPECT_FLOAT_EQ(ground[last - 1][last], -2.0f);
    EXPECT_FLOAT_EQ(ground[last][last - 1], -2.0f);
}

TEST(Grid, CentresItsCellsOnTheOrigin)
{
    // Vertex rows run from x = -250.5 to 249.5: 500 one-unit cells, symmetric
    // about the origin once the half cell is counted.
    EXPECT_EQ(gridcells, 500);
    EXPECT_EQ(GridCoord(0), -250.5);
    EXPECT_EQ(GridCoord(gridcells), 249.5);
}
