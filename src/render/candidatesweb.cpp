// The candidates in a browser, whose WebGL has no fixed-function pipeline:
// the shader renderer is the only one linked. Where it cannot start, the
// chooser's last resort draws nothing rather than half a frame.
#include "render/backend.h"
#include "render/candidates.h"
#include "render/capability.h"

namespace {

const Candidate web[] = {
    {.asked = nullptr,
     .possible = ShadersPossible,
     .renderer = &shaderrenderer,
     .otherwise = "This GL cannot draw with shaders; drawing nothing"},
};

}  // namespace

std::span<const Candidate> Candidates()
{
    return web;
}
