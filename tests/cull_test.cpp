#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "render/cull.h"
#include "support/grids.h"
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

TEST(Cull, BoxesAreOutsideInsideOrAcrossAPlane)
{
    const auto clip = Scale(1);  // view volume: the cube -1..1
    auto side = [&](Box b) { return BoxSide(clip.data(), b); };
    EXPECT_EQ(side({{-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}}), Side::inside);
    EXPECT_EQ(side({{-9, -9, -9}, {9, 9, 9}}), Side::straddles);  // contains it
    EXPECT_EQ(side({{0.9f, 0, 0}, {3, 1, 1}}), Side::straddles);  // across x = 1
    EXPECT_EQ(side({{0, 0, -1.5f}, {0.5f, 0.5f, 0}}), Side::straddles);  // across z = -1
    EXPECT_EQ(side({{1.1f, 0, 0}, {3, 1, 1}}), Side::outside);    // beyond x = 1
    EXPECT_EQ(side({{-3, 0, 0}, {-1.1f, 1, 1}}), Side::outside);  // beyond x = -1
    EXPECT_EQ(side({{0, 2, 0}, {1, 3, 1}}), Side::outside);
    EXPECT_EQ(side({{0, 0, -3}, {1, 1, -2}}), Side::outside);
    EXPECT_EQ(side({{0.9f, 1.1f, 0}, {3, 3, 1}}), Side::outside);  // across one, beyond another
}

TEST(Cull, EveryPieceIsBoundedWithSlack)
{
    ClearGrids();
    ground[3][45] = 12;
    ground[4][41] = -7;
    BoundPieces();
    const int k = 45 / piececells;  // the piece of strip 3 that holds j = 45
    const Box &b = piecebox[3 * piecesperstrip + k];
    EXPECT_LE(b.lo[0], GridCoord(3));
    EXPECT_GE(b.hi[0], GridCoord(4));
    EXPECT_LE(b.lo[2], GridCoord(k * piececells));
    EXPECT_GE(b.hi[2], GridCoord((k + 1) * piececells));
    EXPECT_LE(b.lo[1], -7);
    EXPECT_GE(b.hi[1], 12);
    // Neither strip 2 (only the vertex row i = 3 of it) nor 4 (i = 4) misses its hill.
    const int k41 = 41 / piececells;
    EXPECT_GE(piecebox[2 * piecesperstrip + k].hi[1], 12);
    EXPECT_LE(piecebox[4 * piecesperstrip + k41].lo[1], -7);
    EXPECT_GE(piecebox[4 * piecesperstrip + k41].hi[1], 0);
    EXPECT_LE(piecebox[5 * piecesperstrip + k41].lo[1], 0);
    EXPECT_GT(piecebox[5 * piecesperstrip + k41].lo[1], -7);
}

TEST(Cull, EveryVertexOfAPieceLiesWellInsideItsBox)
{
    // Rough random ground, so that some piece has its highest or lowest
    // vertex on each of its edges and its last column.
    srand(5);
    for (int i = 0; i < gridside; ++i)
        for (int j = 0; j < gridside; ++j)
            ground[i][j] = float(rand() % 2001 - 1000) / 10;
    BoundPieces();
    const float slack = 0.5f;  // the GL's rounding never reaches this far
    for (int i = 0; i < strips; ++i)
        for (int k = 0; k < piecesperstrip; ++k) {
            const Box &b = piecebox[i * piecesperstrip + k];
            for (int ii = i; ii <= i + 1; ++ii)
                for (int j = k * piececells; j <= (k + 1) * piececells; ++j) {
                    const float v[3] = {float(GridCoord(ii)), ground[ii][j], float(GridCoord(j))};
                    for (int a = 0; a < 3; ++a) {
                        ASSERT_LE(b.lo[a], v[a] - slack) << "piece " << i << "/" << k << " axis " << a;
                        ASSERT_GE(b.hi[a], v[a] + slack) << "piece " << i << "/" << k << " axis " << a;
                    }
                }
            // and no looser than the neighbouring strips need: within 2 units in x and z
            ASSERT_GE(b.lo[0], float(GridCoord(i)) - 2);
            ASSERT_LE(b.hi[2], float(GridCoord((k + 1) * piececells)) + 2);
        }
}

TEST(Cull, RangesMergeInsidePiecesAndKeepClippedOnesApart)
{
    ClearGrids();
    BoundPieces();
    auto all = Scale(1.0 / 1000);  // everything well inside: whole strips
    int n = VisibleRanges(all.data(), first.data(), count.data());
    ASSERT_EQ(n, strips);
    for (int i = 0; i < strips; ++i) {
        EXPECT_EQ(first[i], i * stripverts);
        EXPECT_EQ(count[i], stripverts);
    }

    // A cube of half side 30 about the origin: only strips and pieces near the
    // middle, those on its faces each a range of their own.
    auto small = Scale(1.0 / 30);
    n = VisibleRanges(small.data(), first.data(), count.data());
    ASSERT_GT(n, 0);
    int vertices = 0, single = 0, merged = 0;
    for (int k = 0; k < n; ++k) {
        const int strip = first[k] / stripverts, at = first[k] % stripverts;
        EXPECT_NEAR(strip, 250, 32);
        EXPECT_EQ(at % (2 * piececells), 0);
        EXPECT_EQ((count[k] - 2) % (2 * piececells), 0);
        EXPECT_LE(at + count[k], stripverts);
        EXPECT_NEAR(at / 2 + (count[k] / 2 - 1) / 2.0, 250, 30 + 1 + piececells / 2);
        if (k > 0) {
            EXPECT_GE(first[k], first[k - 1] + count[k - 1] - 2);  // in order, no overlap
        }
        vertices += count[k];
        (count[k] == 2 * piececells + 2 ? single : merged) += 1;
    }
    EXPECT_GT(single, 0);
    EXPECT_GT(merged, 0);
    EXPECT_LT(vertices, 70 * 2 * 80);
}
