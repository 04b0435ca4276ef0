#include "render/scene/sky.h"

#include <algorithm>
#include <cstddef>

#include "render/scene/matrix.h"

namespace {

struct Corner {
    SphereVertex v;
    double d;  // z + w in clip coordinates: >= 0 on or in front of the near plane
};

Corner At(const double clip[16], const SphereVertex &v)
{
    double d = clip[14] + clip[15];
    for (int k = 0; k < 3; ++k)
        d += (clip[4 * k + 2] + clip[4 * k + 3]) * double(v.position[k]);
    return {v, d};
}

bool Alike(const SphereVertex &a, const SphereVertex &b)
{
    return std::equal(a.position, a.position + 3, b.position);
}

// Sutherland-Hodgman against d >= 0, then a fan from the polygon's first
// vertex, which keeps the triangle's orientation. A vertex on the plane is
// kept, and cuts no edge.
void Clip(const Corner (&c)[3], std::vector<SkyVertex> &out)
{
    SkyVertex polygon[4];  // a triangle cut by one plane has at most 4 corners
    int n = 0;
    for (int k = 0; k < 3; ++k) {
        const Corner &a = c[k], &b = c[(k + 1) % 3];
        if (a.d >= 0)
            polygon[n++] = {a.v, a.v, 0};
        if (a.d * b.d < 0) {
            const Corner &front = a.d > 0 ? a : b, &behind = a.d > 0 ? b : a;
            polygon[n++] = {front.v, behind.v, float(front.d / (front.d - behind.d))};
        }
    }
    for (int k = 2; k < n; ++k)
        out.insert(out.end(), {polygon[0], polygon[k - 1], polygon[k]});
}

// Strip triangle k from its first vertex v: (k, k+1, k+2), or (k+1, k, k+2) for odd k.
void Triangle(const SphereVertex *v, bool odd, const double clip[16], std::vector<SkyVertex> &out)
{
    const SphereVertex &a = v[odd ? 1 : 0], &b = v[odd ? 0 : 1], &c = v[2];
    if (Alike(a, b) || Alike(b, c) || Alike(c, a))
        return;
    Clip({At(clip, a), At(clip, b), At(clip, c)}, out);
}

}  // namespace

std::vector<SkyVertex> ClipSky(const std::vector<SphereVertex> &strips, int stacks, const double modelview[16],
                               const double projection[16])
{
    double clip[16];
    ClipMatrix(projection, modelview, clip);
    const std::size_t each = strips.size() / std::size_t(std::max(stacks, 1));
    std::vector<SkyVertex> out;
    out.reserve(2 * 3 * strips.size());  // at most 2 triangles for each strip triangle
    for (std::size_t s = 0; each >= 3 && s + each <= strips.size(); s += each)
        for (std::size_t k = 0; k + 2 < each; ++k)
            Triangle(&strips[s + k], k % 2 != 0, clip, out);
    return out;
}
