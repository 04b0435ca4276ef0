#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "render/scene/cull.h"
#include "render/scene/matrix.h"
#include "render/scene/projection.h"
#include "render/scene/sky.h"
#include "render/scene/strips.h"
#include "support/grids.h"
#include "terrain/heightfield.h"

namespace {

// Column-major scale: clip = diag(s, s, s, 1) * world, a cube of half side 1/s.
std::vector<double> Scale(double s)
{
    return {s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1};
}

Ranges ranges;  // the last VisibleRanges
const std::vector<int> &first = ranges.first, &count = ranges.count;

// A sky vertex where the shader's mixing puts it, in clip coordinates.
void Mix(const SkyVertex &v, const double clip[16], double c[4])
{
    double p[3];
    for (int a = 0; a < 3; ++a)
        p[a] = v.from.position[a] + double(v.t) * (v.to.position[a] - v.from.position[a]);
    for (int r = 0; r < 4; ++r)
        c[r] = clip[12 + r] + clip[r] * p[0] + clip[4 + r] * p[1] + clip[8 + r] * p[2];
}

// The triangles a strip of indices draws, each in its drawn order turned to
// start at its least index, so that orientation tells; none without area.
std::multiset<std::array<unsigned, 3>> Triangles(const std::vector<unsigned> &v)
{
    std::multiset<std::array<unsigned, 3>> out;
    for (std::size_t k = 2; k < v.size(); ++k) {
        std::array<unsigned, 3> t = {v[k - 2 + k % 2], v[k - 1 - k % 2], v[k]};  // odd ones go the other way
        std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
        if (t[0] != t[1] && t[1] != t[2] && t[0] != t[2])
            out.insert(t);
    }
    return out;
}

// The ranges joined as one strip draw the very triangles they draw alone.
void ExpectJoinedAsAlone(int n)
{
    std::vector<unsigned> joined;
    JoinStrips(ranges, joined);
    std::multiset<std::array<unsigned, 3>> alone;
    for (int k = 0; k < n; ++k) {
        std::vector<unsigned> one(static_cast<std::size_t>(count[k]));
        for (int v = 0; v < count[k]; ++v)
            one[std::size_t(v)] = unsigned(first[k] + v);
        alone.merge(Triangles(one));
    }
    EXPECT_TRUE(Triangles(joined) == alone) << n << " ranges";
}

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

TEST(Cull, EveryVertexOfAPieceOrSegmentLiesWellInsideItsBox)
{
    // Rough random ground, so that some piece has its highest or lowest
    // vertex on each of its edges and its last column.
    srand(5);
    for (int i = 0; i < gridside; ++i)
        for (int j = 0; j < gridside; ++j)
            ground[i][j] = float(rand() % 2001 - 1000) / 10;
    BoundPieces();
    const float slack = 0.5f;  // the GL's rounding never reaches this far
    // Strip i's columns j0 to j0 + cells inside b, which is within 2 units in x and z.
    auto holds = [&](const Box &b, int i, int j0, int cells) {
        for (int ii = i; ii <= i + 1; ++ii)
            for (int j = j0; j <= j0 + cells; ++j) {
                const float v[3] = {float(GridCoord(ii)), ground[ii][j], float(GridCoord(j))};
                for (int a = 0; a < 3; ++a)
                    if (b.lo[a] > v[a] - slack || b.hi[a] < v[a] + slack)
                        return false;
            }
        return b.lo[0] >= float(GridCoord(i)) - 2 && b.hi[2] <= float(GridCoord(j0 + cells)) + 2;
    };
    for (int i = 0; i < strips; ++i) {
        for (int k = 0; k < piecesperstrip; ++k)
            ASSERT_TRUE(holds(piecebox[i * piecesperstrip + k], i, k * piececells, piececells))
                << "piece " << i << "/" << k;
        for (int k = 0; k < segmentsperstrip; ++k)
            ASSERT_TRUE(holds(segmentbox[i * segmentsperstrip + k], i, k * segmentcells, segmentcells))
                << "segment " << i << "/" << k;
    }
}

TEST(Cull, SegmentsInViewComeInStripOrder)
{
    ClearGrids();
    BoundPieces();
    std::vector<int> index(segments);
    auto all = Scale(1.0 / 1000);
    ASSERT_EQ(VisibleSegments(all.data(), index.data()), segments);
    for (int s = 0; s < segments; ++s)
        ASSERT_EQ(index[s], s);
    // A cube of half side 30 about the origin meets strips 220 to 280, and
    // in each the segments that hold columns 220 to 280.
    auto small = Scale(1.0 / 30);
    const int n = VisibleSegments(small.data(), index.data());
    const int across = 280 / segmentcells - 220 / segmentcells + 1;
    EXPECT_GE(n, 60 * across);
    EXPECT_LE(n, 64 * across);
    for (int k = 0; k < n; ++k) {
        EXPECT_NEAR(index[k] / segmentsperstrip, 250, 32);
        EXPECT_NEAR((index[k] % segmentsperstrip + 0.5) * segmentcells, 250, 30 + segmentcells / 2);
        if (k > 0) {
            EXPECT_GT(index[k], index[k - 1]);
        }
    }
}

TEST(Cull, RangesMergeInsidePiecesAndKeepClippedOnesApart)
{
    ClearGrids();
    BoundPieces();
    auto all = Scale(1.0 / 1000);  // everything well inside: whole strips
    VisibleRanges(all.data(), ranges);
    int n = int(first.size());
    ASSERT_EQ(n, strips);
    for (int i = 0; i < strips; ++i) {
        EXPECT_EQ(first[i], i * stripverts);
        EXPECT_EQ(count[i], stripverts);
    }
    ExpectJoinedAsAlone(n);

    // A cube of half side 30 about the origin: only strips and pieces near the
    // middle, those on its faces each a range of their own.
    auto small = Scale(1.0 / 30);
    VisibleRanges(small.data(), ranges);
    n = int(first.size());
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
    ExpectJoinedAsAlone(n);
    std::vector<unsigned> joined;  // pieces that continue one another merged: no joins between them
    JoinStrips(ranges, joined);
    EXPECT_LT(joined.size(), std::size_t(vertices));
}

// Each vertex, mixed as the shader mixes it, on or in front of the near plane
// (0.08) with w > 0. Unturned, the sphere's rings 2 and 3 lie at z = +-c: the
// strip between is cut at t = (c - 0.08) / 2c, above it all is behind, below
// it 15 triangles. Moved off, all 40 with an area stay whole.
TEST(Sky, ClippedVerticesLieOnOrInFrontOfTheNearPlane)
{
    const double c = 10 * std::cos(72 * degree), identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double proj[16], start[16], clip[16], away[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -30, 1};
    const float nowhere[3] = {0, 0, 0};
    ViewMatrix(90, 0, nowhere, start);  // the start view's sky: poles and a meridian in the eye's plane
    FrustumMatrix(FrustumFor(0.1), proj);
    const struct { const double *modelview; std::size_t triangles; double t; } cases[] = {
        {identity, 15 + 15, (c - 0.08) / (2 * c)}, {away, 40, 0}, {start, 0, 0}};  // 0: any
    for (const auto &k : cases) {
        const std::vector<SkyVertex> v = ClipSky(SphereStrips(10, 5, 5), 5, k.modelview, proj);
        ClipMatrix(proj, k.modelview, clip);
        EXPECT_TRUE(k.triangles == 0 || v.size() == 3 * k.triangles) << v.size();
        for (const SkyVertex &s : v) {
            EXPECT_TRUE(s.t == 0 || k.t == 0 || std::fabs(s.t - k.t) < 1e-6) << s.t;
            double q[4];
            Mix(s, clip, q);
            EXPECT_GE(q[2] + q[3], -1e-5);
            EXPECT_GT(q[3], 0);
        }
    }
}
