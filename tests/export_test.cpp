// The landscape's files read back by a reader of their layout: the mesh's
// vertices, triangles, normals and colours, and the height map's samples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/grids.h"
#include "terrain/export.h"
#include "terrain/heightfield.h"
#include "terrain/ramp.h"
#include "terrain/random.h"

namespace {

constexpr int n = gridside * gridside;
const float plain[3] = {0.5f, 0.5f, 0.5f};

struct Glb {
    std::vector<unsigned char> bytes;
    std::string json;
    std::vector<std::size_t> views;  // each buffer view's offset in bytes
    explicit Glb(std::vector<unsigned char> b) : bytes(std::move(b))
    {
        const std::uint32_t length = U32(12);
        json.assign(reinterpret_cast<const char *>(&bytes[20]), length);
        for (std::size_t at = json.find("\"byteOffset\":"); at != std::string::npos;
             at = json.find("\"byteOffset\":", at + 1))
            views.push_back(20 + length + 8 + std::stoul(json.substr(at + 13)));
    }
    std::uint32_t U32(std::size_t at) const
    {
        return std::uint32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24);
    }
    float F(int view, std::size_t k) const  // the k-th float of a view
    {
        const std::uint32_t bits = U32(views[std::size_t(view)] + 4 * k);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
};

// Twice the area seen from above, the y of (b - a) x (c - a): positive when counter-clockwise.
double Cross(const Glb &g, std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    auto x = [&](std::uint32_t v) { return double(g.F(0, 3 * v)); };
    auto z = [&](std::uint32_t v) { return double(g.F(0, 3 * v + 2)); };
    return (z(b) - z(a)) * (x(c) - x(a)) - (x(b) - x(a)) * (z(c) - z(a));
}

}  // namespace

TEST(Glb, VerticesAtTheHeightsTrianglesFrontsUpNormalsOfTheSurface)
{
    SeedLandscapeAt(1767225761);
    CaptureStdout(FillArray);
    const Glb g(LandscapeGlb(nullptr, plain));
    ASSERT_EQ(g.U32(0), 0x46546c67u);  // "glTF", version 2, the whole length
    EXPECT_EQ(g.U32(4), 2u);
    EXPECT_EQ(g.U32(8), g.bytes.size());
    ASSERT_EQ(g.views.size(), 4u);
    for (int i = 0; i < gridside; ++i)
        for (int j = 0; j < gridside; ++j) {
            const std::size_t v = std::size_t(i * gridside + j);
            ASSERT_EQ(g.F(0, 3 * v), i - 250.5f);
            ASSERT_EQ(g.F(0, 3 * v + 1), ground[i][j]) << i << "," << j;
            ASSERT_EQ(g.F(0, 3 * v + 2), j - 250.5f);
            const double nx = g.F(1, 3 * v), ny = g.F(1, 3 * v + 1), nz = g.F(1, 3 * v + 2);
            ASSERT_NEAR(nx * nx + ny * ny + nz * nz, 1, 1e-6);
            if (i > 0 && i < gridcells && j > 0 && j < gridcells) {  // at right angles to both chords through it
                ASSERT_NEAR(2 * nx + (ground[i + 1][j] - ground[i - 1][j]) * ny, 0, 1e-5) << i << "," << j;
                ASSERT_NEAR(2 * nz + (ground[i][j + 1] - ground[i][j - 1]) * ny, 0, 1e-5) << i << "," << j;
            }
        }
    // Every triangle counter-clockwise from above, and together they cover
    // the 500 x 500 cells once.
    double area = 0;
    const std::size_t corners = 500 * 500 * 6;
    for (std::size_t k = 0; k < corners; k += 3) {
        const std::uint32_t a = g.U32(g.views[3] + 4 * k), b = g.U32(g.views[3] + 4 * k + 4),
                            c = g.U32(g.views[3] + 4 * k + 8);
        ASSERT_TRUE(a < n && b < n && c < n);
        const double twice = Cross(g, a, b, c);
        ASSERT_GT(twice, 0) << "triangle " << k / 3 << " faces down";
        area += twice / 2;
    }
    EXPECT_EQ(area, 250000.0);
    EXPECT_EQ(g.bytes.size(), g.views[3] + corners * 4);
}

// A ramp of black and white, sampled as the GL filters it: texel centres
// at 1/4 and 3/4, even mixes between and at both ends (repeated). Colours
// are glTF's linear ones: sRGB 0.5 is 0.214041.
TEST(Glb, ColoursAreTheRampAsTheViewerSamplesItMadeLinear)
{
    const Ramp ramp{2, 3, {0, 0, 0, 1, 1, 1}};
    const struct { float s, linear; } cases[] = {{0.25f, 0}, {0.75f, 1}, {0.5f, 0.214041f}, {0, 0.214041f},
                                                 {1, 0.214041f}, {0.375f, 0.0508761f}};
    ClearGrids();
    for (int k = 0; k < 6; ++k)
        gndtex[1][k] = cases[k].s;
    const Glb g(LandscapeGlb(&ramp, plain));
    for (int k = 0; k < 6; ++k)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(g.F(2, std::size_t(3 * (gridside + k) + c)), cases[k].linear, 1e-6) << cases[k].s;
    const Glb flat(LandscapeGlb(nullptr, plain));  // no ramp: the plain colour
    EXPECT_NEAR(flat.F(2, 0), 0.214041f, 1e-6);
}

// Turned back with the lowest and highest heights, each sample is within
// half a step of the height (rounded to the nearest); the extremes are 0 and 65535.
TEST(HeightMap, SamplesTurnBackIntoTheHeightsWithinOneStep)
{
    SeedLandscapeAt(0);
    CaptureStdout(FillArray);
    const HeightSamples h = SampleHeights();
    const double step = (double(h.highest) - h.lowest) / 65535;
    unsigned short least = 65535, most = 0;
    for (int i = 0; i < gridside; ++i)
        for (int j = 0; j < gridside; ++j) {
            const unsigned short s = h.samples[std::size_t(j * gridside + i)];
            ASSERT_NEAR(h.lowest + s * step, ground[i][j], step / 2 * 1.001) << i << "," << j;
            least = std::min(least, s);
            most = std::max(most, s);
        }
    EXPECT_EQ(least, 0);
    EXPECT_EQ(most, 65535);
    const std::vector<unsigned char> r16 = LandscapeR16();
    ASSERT_EQ(r16.size(), 2u * n);
    EXPECT_EQ(r16[2 * 1] | r16[2 * 1 + 1] << 8, h.samples[1]);  // little-endian, i = 1 of row 0
}
