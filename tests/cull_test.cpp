#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "render/scene/cull.h"
#include "render/scene/choice.h"
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

TEST(PassChoice, BufferObjectsOnADirectContextOfGL15ShadersFromGL20OrES20)
{
    const struct {
        const char *version;
        bool direct;
        LandscapePath path;
        bool shaders;  // whether the shader pass may be tried
    } cases[] = {
        {"4.5 (Compatibility Profile) Mesa 22.3.6", true, LandscapePath::buffers, true},
        {"1.5", true, LandscapePath::buffers, false},
        {"2.1 Mesa 10.0", true, LandscapePath::buffers, true},
        {"1.10", true, LandscapePath::buffers, false},
        {"1.4 Mesa 22.3.6", true, LandscapePath::lists, false},
        {"1.4.0 NVIDIA", true, LandscapePath::lists, false},
        {"0.9", true, LandscapePath::lists, false},
        {"4.5 (Compatibility Profile) Mesa 22.3.6", false, LandscapePath::lists, true},
        {nullptr, true, LandscapePath::lists, false},  // the query failed: GL 1.1
        {"", true, LandscapePath::lists, false},
        {"OpenGL ES 3.2", true, LandscapePath::lists, true},
        {"4", true, LandscapePath::lists, false},
        {"4.", true, LandscapePath::lists, false},
        {"99999999999.0", true, LandscapePath::lists, false},  // no version number is that long
        {"OpenGL ES 2.0 (WebGL 1.0)", true, LandscapePath::lists, true},
        {"OpenGL ES-CM 1.1", true, LandscapePath::lists, false},
        {"1.4 (2.1 Mesa 22.3.6)", false, LandscapePath::lists, false},  // indirect GLX's
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ChooseLandscapePath(c.version, c.direct), c.path)
            << (c.version ? c.version : "(null)") << (c.direct ? ", direct" : ", indirect");
        EXPECT_EQ(ShadersPossible(c.version), c.shaders) << (c.version ? c.version : "(null)");
    }
    const char *list = "GL_OES_x GL_WEBGL_multi_draw_instanced GL_WEBGL_multi_draw GL_EXT_y";
    for (auto [name, has] : {std::pair{webglmultidraw, true}, {"GL_WEBGL_multi", false}, {"GL_EXT_y", true}, {"", false}})
        EXPECT_EQ(HasExtension(list, name), has) << name;
    EXPECT_FALSE(HasExtension("GL_WEBGL_multi_draw_instanced", webglmultidraw));
    EXPECT_FALSE(HasExtension(nullptr, webglmultidraw));
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
