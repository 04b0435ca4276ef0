// The candidates on a desktop GL, which has both renderers: shaders where the
// user asks for them (VELLMOOR_SHADERS=1) and the context can run them, the
// fixed-function pipeline everywhere else. The context is asked nothing
// unless shaders are asked for.
#include <cstdlib>
#include <cstring>

#include "render/backend.h"
#include "render/candidates.h"
#include "render/capability.h"

namespace {

bool ShadersAsked()
{
    const char *asked = std::getenv("VELLMOOR_SHADERS");
    return asked && std::strcmp(asked, "1") == 0;
}

const Candidate desktop[] = {
    {.asked = ShadersAsked,
     .possible = ShadersPossible,
     .renderer = &shaderrenderer,
     .otherwise = "This GL cannot draw with shaders; drawing without them"},
    {.asked = nullptr, .possible = nullptr, .renderer = &fixedrenderer, .otherwise = nullptr},
};

}  // namespace

std::span<const Candidate> Candidates()
{
    return desktop;
}
