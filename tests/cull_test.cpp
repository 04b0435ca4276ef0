#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/cull.h"
#include "terrain/heightfield.h"

namespace {

// Column-major scale: clip = diag(s, s, s, 1) * world, a cube of half side 1/s.
std::vector<double> Scale(double s)
{
    return {s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1};
}

std::vector<int> first(pieces), count(pieces);

}  // namespace

TEST(Cull, ClipMatrixMultipliesColumnMajor)
{
    const double proj[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1};
    const double move[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
    double out[16];
    ClipMatrix(proj, move, out);
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[5], 3);
    EXPECT_EQ(out[10], 4);
    EXPECT_EQ(out[12], 10);  // the translation goes through the scale
    EXPECT_EQ(out[13], 18);
    EXPECT_EQ(out[14], 28);
    EXPECT_EQ(out[15], 1);
}

TEST(Cull, BoxOutsideOnlyWhenWhollyBeyondOnePlane)
{
    const auto clip = Scale(1);  // view volume: the cube -1..1
    EXPECT_FALSE(BoxOutside(clip.data(), Box{{-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}}));
    EXPECT_FALSE(BoxOutside(clip.data(), Box{{-9, -9, -9}, {9, 9, 9}}));   // contains it
    EXPECT_FALSE(BoxOutside(clip.data(), Box{{0.9f, 0, 0}, {3, 1, 1}}));   // straddles x = 1
    EXPECT_TRUE(BoxOutside(clip.data(), Box{{1.1f, 0, 0}, {3, 1, 1}}));    // beyond x = 1
    EXPECT_TRUE(BoxOutside(clip.data(), Box{{-3, 0, 0}, {-1.1f, 1, 1}}));  // beyond x = -1
    EXPECT_TRUE(BoxOutside(clip.data(), Box{{0, 2, 0}, {1, 3, 1}}));
    EXPECT_TRUE(BoxOutside(clip.data(), Box{{0, 0, -3}, {1, 1, -2}}));
}

TEST(Cull, EveryPieceIsBoundedWithSlack)
{
    std::fill(&ground[0][0], &ground[0][0] + gridside * gridside, 0.0f);
    ground[3][45] = 12;
    ground[4][41] = -7;
    BoundPieces();
    const Box &b = piecebox[3 * piecesperstrip + 2];  // strip 3, cells 40 to 60
    EXPECT_LE(b.lo[0], 3 - 250.5);
    EXPECT_GE(b.hi[0], 4 - 250.5);
    EXPECT_LE(b.lo[2], 40 - 250.5);
    EXPECT_GE(b.hi[2], 60 - 250.5);
    EXPECT_LE(b.lo[1], -7);
    EXPECT_GE(b.hi[1], 12);
    // Neither strip 2 (only the vertex row i = 3 of it) nor 4 (i = 4) misses its hill.
    EXPECT_GE(piecebox[2 * piecesperstrip + 2].hi[1], 12);
    EXPECT_LE(piecebox[4 * piecesperstrip + 2].lo[1], -7);
    EXPECT_GE(piecebox[4 * piecesperstrip + 2].hi[1], 0);
    EXPECT_LE(piecebox[5 * piecesperstrip + 2].lo[1], 0);
    EXPECT_GT(piecebox[5 * piecesperstrip + 2].lo[1], -7);
}

TEST(Cull, RangesAreWholeStripsWhenAllShowsAndMergedPiecesOtherwise)
{
    std::fill(&ground[0][0], &ground[0][0] + gridside * gridside, 0.0f);
    BoundPieces();
    auto all = Scale(1.0 / 1000);
    int n = VisibleRanges(all.data(), first.data(), count.data());
    ASSERT_EQ(n, 500);
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(first[i], i * stripverts);
        EXPECT_EQ(count[i], stripverts);
    }

    // A cube of half side 5 about the origin: strips near i = 250, pieces near j = 250.
    auto small = Scale(1.0 / 5);
    n = VisibleRanges(small.data(), first.data(), count.data());
    ASSERT_GT(n, 0);
    ASSERT_LT(n, 20);
    for (int k = 0; k < n; ++k) {
        const int strip = first[k] / stripverts;
        EXPECT_NEAR(strip, 250, 7);
        EXPECT_EQ((first[k] % stripverts) % (2 * piececells), 0);
        EXPECT_EQ((count[k] - 2) % (2 * piececells), 0);
        EXPECT_LE(first[k] % stripverts + count[k], stripverts);
        if (k > 0) {
            EXPECT_GT(first[k], first[k - 1]);  // drawing order kept
        }
    }
}
