#include "render/scene/sphere.h"

#include <cmath>

namespace {

constexpr float pi = 3.14159265358979323846f;

SphereVertex Vertex(float radius, float x, float y, float z)
{
    return {{x, y, z}, {x * radius, y * radius, z * radius}};
}

// Ring `stack` (1 to stacks - 1, from the top) at slice `slice`; in single
// precision, as the toolkit computes it.
SphereVertex Ring(float radius, int slices, int stacks, int stack, int slice)
{
    const float around = -2 * pi / float(slices) * float(slice % slices);
    const float down = pi / float(stacks) * float(stack);
    return Vertex(radius, std::cos(around) * std::sin(down), std::sin(around) * std::sin(down), std::cos(down));
}

}  // namespace

std::vector<SphereVertex> SphereStrips(float radius, int slices, int stacks)
{
    std::vector<SphereVertex> v;
    const auto At = [&](int stack, int slice) {  // stack 0 is the top pole, stacks the bottom one
        return stack == 0        ? Vertex(radius, 0, 0, 1)
               : stack == stacks ? Vertex(radius, 0, 0, -1)
                                 : Ring(radius, slices, stacks, stack, slice);
    };
    for (int upper = 0; upper < stacks; ++upper)
        for (int j = 0; j <= slices; ++j) {
            v.push_back(At(upper + 1, j));
            v.push_back(At(upper, j));
        }
    return v;
}
