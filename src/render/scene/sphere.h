#pragma once
// The toolkit's solid sphere as a mesh of the program's own, for a GL
// without one: the same vertices, normals and strips in the same order.
#include <vector>

struct SphereVertex {
    float normal[3];    // unit, outward
    float position[3];  // world units, centred on the origin
};

// `stacks` triangle strips of 2 (slices + 1) vertices each, from the top
// (z = radius) down: each pairs a vertex of the lower ring with the one
// above it, the poles repeated in the caps. Slices turn clockwise
// about z seen from above, so every triangle is anticlockwise from outside.
std::vector<SphereVertex> SphereStrips(float radius, int slices, int stacks);
