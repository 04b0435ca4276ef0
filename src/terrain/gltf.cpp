// The landscape as one glTF 2.0 mesh in a binary file: the viewer's vertices
// (x = i - 250.5, y the height, z = j - 250.5), unit normals, the ramp's
// colours as the viewer samples them, and the strips' triangles, fronts up.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "terrain/export.h"
#include "terrain/heightfield.h"
#include "terrain/ramp.h"
#include "terrain/random.h"

namespace {

constexpr std::size_t vertices = std::size_t(gridside) * gridside;
constexpr std::size_t indices = std::size_t(gridcells) * gridcells * 6;
constexpr std::size_t vec3bytes = vertices * 12;  // three floats a vertex

std::size_t Vertex(int i, int j) { return std::size_t(i) * gridside + std::size_t(j); }

// Newton's steps towards x^(1/5) from y at or above it: only the operations
// that IEEE arithmetic rounds alike everywhere, so that every build writes
// the same bytes (the C libraries' pow do not agree to the last bit).
double Newton(double x, double y, int steps)
{
    for (int k = 0; k < steps; ++k)
        y = (4 * y + x / (y * y * y * y)) / 5;
    return y;
}

// x^(1/5) for x in (0, 1]: from the root at the next 1/64th up, found once,
// a few steps give every bit.
double FifthRoot(double x)
{
    constexpr int parts = 64;
    static const auto roots = [] {
        std::array<double, parts + 1> r{};
        for (int k = 1; k <= parts; ++k)
            r[std::size_t(k)] = Newton(double(k) / parts, 1, 40);
        return r;
    }();
    const auto above = std::size_t(std::min(double(parts), std::ceil(x * parts)));
    return Newton(x, roots[std::max<std::size_t>(above, 1)], 6);
}

// glTF's vertex colours are linear; the viewer's are the display's sRGB.
float Linear(double c)
{
    if (c <= 0.04045)
        return float(c / 12.92);
    const double x = (c + 0.055) / 1.055;
    return float(x * x * FifthRoot(x * x));  // x^2.4
}

// The ramp at coordinate s as the GL filters its 8-bit texels: linearly,
// between texels repeated past both ends.
void Sample(const Ramp &ramp, const std::vector<unsigned char> &bytes, float s, double rgb[3])
{
    const long w = long(ramp.width);
    const double u = double(s) * double(w) - 0.5;
    const double below = std::floor(u), a = u - below;
    const long t0 = ((long(below) % w) + w) % w, t1 = (t0 + 1) % w;
    const int c = ramp.components;
    for (int k = 0; k < 3; ++k) {
        const int at = c < 3 ? 0 : k;  // luminance spreads to all three
        rgb[k] = ((1 - a) * bytes[std::size_t(t0 * c + at)] + a * bytes[std::size_t(t1 * c + at)]) / 255;
    }
}

void Normal(int i, int j, float *out)
{
    const int i0 = i > 0 ? i - 1 : i, i1 = i < gridcells ? i + 1 : i;
    const int j0 = j > 0 ? j - 1 : j, j1 = j < gridcells ? j + 1 : j;
    const double gx = (double(ground[i1][j]) - ground[i0][j]) / (i1 - i0);
    const double gz = (double(ground[i][j1]) - ground[i][j0]) / (j1 - j0);
    const double length = std::sqrt(gx * gx + 1 + gz * gz);
    out[0] = float(-gx / length);
    out[1] = float(1 / length);
    out[2] = float(-gz / length);
}

std::string Json(float lowest, float highest, std::size_t binbytes)
{
    const std::string n = std::to_string(vertices), v3 = std::to_string(vec3bytes);
    std::string extras;
    if (secondnamed)
        extras = ",\"extras\":{\"second\":" + std::to_string(landscapesecond) + "}";
    auto view = [](std::size_t offset, std::size_t length, int target) {
        return "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) + ",\"byteLength\":" +
               std::to_string(length) + ",\"target\":" + std::to_string(target) + "}";
    };
    auto attribute = [&](int viewindex, const std::string &more) {
        return "{\"bufferView\":" + std::to_string(viewindex) + ",\"componentType\":5126,\"count\":" + n +
               ",\"type\":\"VEC3\"" + more + "}";
    };
    const float lowx = float(GridCoord(0)), highx = float(GridCoord(gridcells));
    return "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Vellmoor " VELLMOOR_VERSION "\"" + extras + "},"
           "\"scene\":0,\"scenes\":[{\"nodes\":[0]}],\"nodes\":[{\"name\":\"Landscape\",\"mesh\":0}],"
           "\"meshes\":[{\"name\":\"Landscape\",\"primitives\":[{\"attributes\":"
           "{\"POSITION\":0,\"NORMAL\":1,\"COLOR_0\":2},\"indices\":3,\"material\":0}]}],"
           "\"materials\":[{\"name\":\"Ramp\",\"pbrMetallicRoughness\":{\"metallicFactor\":0,\"roughnessFactor\":1}}],"
           "\"accessors\":[" +
           attribute(0, ",\"min\":[" + Number(lowx) + "," + Number(lowest) + "," + Number(lowx) + "],\"max\":[" +
                            Number(highx) + "," + Number(highest) + "," + Number(highx) + "]") + "," +
           attribute(1, "") + "," + attribute(2, "") +
           ",{\"bufferView\":3,\"componentType\":5125,\"count\":" + std::to_string(indices) +
           ",\"type\":\"SCALAR\"}],\"bufferViews\":[" + view(0, vec3bytes, 34962) + "," +
           view(vec3bytes, vec3bytes, 34962) + "," + view(2 * vec3bytes, vec3bytes, 34962) + "," +
           view(3 * vec3bytes, indices * 4, 34963) + "],\"buffers\":[{\"byteLength\":" + std::to_string(binbytes) +
           "}]}";
}

// Little-endian, whatever the machine's order.
unsigned char *Put32(unsigned char *at, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        *at++ = (unsigned char)(v >> 8 * k);
    return at;
}
unsigned char *PutFloats(unsigned char *at, const float *v, int n)
{
    for (int k = 0; k < n; ++k) {
        std::uint32_t bits;
        std::memcpy(&bits, &v[k], 4);
        at = Put32(at, bits);
    }
    return at;
}

}  // namespace

std::vector<unsigned char> LandscapeGlb(const Ramp *ramp, const float plain[3])
{
    const bool ramped = ramp && ramp->width > 0;
    const std::vector<unsigned char> texels = ramped ? RampBytes(*ramp) : std::vector<unsigned char>();
    const auto [lowest, highest] = HeightRange();
    const std::size_t binbytes = 3 * vec3bytes + indices * 4;
    std::string json = Json(lowest, highest, binbytes);
    json.resize((json.size() + 3) / 4 * 4, ' ');  // chunks are 4-byte aligned
    std::vector<unsigned char> glb(12 + 8 + json.size() + 8 + binbytes);
    unsigned char *at = Put32(Put32(Put32(glb.data(), 0x46546c67), 2), std::uint32_t(glb.size()));  // "glTF"
    at = Put32(Put32(at, std::uint32_t(json.size())), 0x4e4f534a);  // "JSON"
    at = std::copy(json.begin(), json.end(), at);
    at = Put32(Put32(at, std::uint32_t(binbytes)), 0x004e4942);  // "BIN"
    unsigned char *normals = at + vec3bytes, *colours = normals + vec3bytes, *triangles = colours + vec3bytes;
    for (int i = 0; i < gridside; ++i)
        for (int j = 0; j < gridside; ++j) {
            const float p[3] = {float(GridCoord(i)), ground[i][j], float(GridCoord(j))};
            at = PutFloats(at, p, 3);
            float n[3];
            Normal(i, j, n);
            normals = PutFloats(normals, n, 3);
            double rgb[3] = {plain[0], plain[1], plain[2]};
            if (ramped)
                Sample(*ramp, texels, gndtex[i][j], rgb);
            const float c[3] = {Linear(rgb[0]), Linear(rgb[1]), Linear(rgb[2])};
            colours = PutFloats(colours, c, 3);
        }
    // Cell (i, j) split as the strips split it, from (i + 1, j) to (i, j + 1);
    // each triangle counter-clockwise seen from above.
    for (int i = 0; i < gridcells; ++i)
        for (int j = 0; j < gridcells; ++j) {
            const std::size_t a = Vertex(i, j), b = Vertex(i + 1, j), c = Vertex(i, j + 1), d = Vertex(i + 1, j + 1);
            for (const std::size_t v : {a, c, b, c, d, b})
                triangles = Put32(triangles, std::uint32_t(v));
        }
    return glb;
}
