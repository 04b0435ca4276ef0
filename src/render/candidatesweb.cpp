// The candidates in a browser, whose WebGL has no fixed-function pipeline:
// the shader renderer is the only one linked. Where it cannot start, nothing
// is drawn rather than half a frame.
#include "render/backend.h"
#include "render/candidates.h"
#include "render/capability.h"

namespace {

bool Started() { return true; }
void NoState() {}
void NoRamp(const Ramp *) {}
void NoProjection(const Frustum &) {}
void NoFrame(const FrameView &) {}

const Renderer none = {
    .start = Started,
    .state = NoState,
    .ramp = NoRamp,
    .projection = NoProjection,
    .frame = NoFrame,
    .lost = NoState,
};

const Candidate web[] = {
    {.asked = nullptr,
     .possible = ShadersPossible,
     .renderer = &shaderrenderer,
     .otherwise = "This GL cannot draw with shaders; drawing nothing"},
    {.asked = nullptr, .possible = nullptr, .renderer = &none, .otherwise = nullptr},
};

}  // namespace

std::span<const Candidate> Candidates()
{
    return web;
}
