// The chooser on a desktop GL, which has both renderers: shaders where the
// user asks for them (VELLMOOR_SHADERS=1) and the context compiles them, the
// fixed-function pipeline everywhere else. The context is asked nothing
// unless shaders are asked for.
#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "render/backend.h"
#include "render/capability.h"
#include "render/render.h"

namespace {

bool ShadersAsked()
{
    const char *asked = std::getenv("VELLMOOR_SHADERS");
    return asked && std::strcmp(asked, "1") == 0;
}

bool ShadersRun()
{
    return ShadersPossible(reinterpret_cast<const char *>(glGetString(GL_VERSION))) && shaderrenderer.start();
}

}  // namespace

void ChooseRenderer()
{
    if (ShadersAsked()) {
        if (ShadersRun()) {
            UseRenderer(shaderrenderer);
            return;
        }
        std::cout << "This GL cannot draw with shaders; drawing without them" << std::endl;
    }
    fixedrenderer.start();  // starts on every context
    UseRenderer(fixedrenderer);
}
