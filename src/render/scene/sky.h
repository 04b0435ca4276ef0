#pragma once
// The sky's triangles cut at the near plane before the GL sees them: a
// sphere about the eye has vertices in the eye's plane (w = 0 once
// projected), which rasterisers treat differently. No GL here.
#include <vector>

#include "render/scene/sphere.h"

// A vertex as the sky's vertex shader takes it: what the shader makes of
// `from` (lit colours, fog distance, clip position) mixed with what it makes
// of `to` by t, as the GL's clipper mixes a new vertex's. An original vertex
// has t = 0 and `to` equal to `from`; a new one lies on an edge from `from`,
// in front of the near plane, to `to`, behind it, so that the edge's two
// triangles make it alike.
struct SkyVertex {
    SphereVertex from, to;
    float t;  // 0 at from, 1 at to
};

// The triangles of `stacks` strips laid out as SphereStrips lays them, in
// GL_TRIANGLES order, clipped to the near plane of projection * modelview
// (column-major): each strip triangle keeps its orientation and gives 0, 1
// or 2 triangles; those with two vertices alike (the poles) none.
std::vector<SkyVertex> ClipSky(const std::vector<SphereVertex> &strips, int stacks, const double modelview[16],
                               const double projection[16]);
