#pragma once
// The landscape's strips as one vertex array for a buffer object, and the
// grids' generation, by which a renderer knows its copy is stale. No GL here.
#include <cstddef>
#include <vector>

// MakeFloor's vertices in its order, strip-major: strip i holds (i, j) and
// (i + 1, j) for j from 0 to 500.
struct StripVertex {
    float s;        // the ramp coordinate
    float x, y, z;  // world units
};
constexpr int stripstride = sizeof(StripVertex);  // bytes from one vertex to the next
constexpr int stripposition = sizeof(float);      // offset of x, y, z in a vertex
static_assert(offsetof(StripVertex, x) == stripposition, "vertices are packed");

std::vector<StripVertex> StripVertices();

// Ranges of StripVertices, each drawn as a triangle strip, in drawing order:
// each an even number of vertices from an even first, as VisibleRanges
// makes them.
struct Ranges {
    std::vector<int> first;  // each range's first vertex
    std::vector<int> count;  // each range's vertices
    bool operator==(const Ranges &) const = default;
};

// The ranges as one triangle strip of indices into StripVertices: ranges
// that continue one another along a strip merged, the rest joined by
// repeated indices, whose triangles have no area. Every triangle keeps the
// orientation it has drawn alone. Replaces indices' contents.
void JoinStrips(const Ranges &ranges, std::vector<unsigned> &indices);

extern unsigned gridsgeneration;  // bumped by GridsChanged; starts at 1, so 0 is "nothing built"

// Tells the renderers that the grids have changed: each rebuilds its copy
// in the GL and its culling bounds on its next draw (and on its first).
void GridsChanged();
