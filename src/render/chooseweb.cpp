// The chooser in a browser, whose WebGL has no fixed-function pipeline: the
// shader renderer is the only one linked. Where it cannot start, nothing is
// drawn rather than half a frame.
#include <GL/gl.h>

#include <iostream>

#include "render/backend.h"
#include "render/capability.h"
#include "render/render.h"

namespace {

bool Nothing() { return true; }
void NoState() {}
void NoRamp(const Ramp *) {}
void NoProjection(const Frustum &) {}
void NoFrame(const FrameView &) {}

const Renderer none = {Nothing, NoState, NoRamp, NoProjection, NoFrame, NoState};

}  // namespace

void ChooseRenderer()
{
    if (ShadersPossible(reinterpret_cast<const char *>(glGetString(GL_VERSION))) && shaderrenderer.start()) {
        UseRenderer(shaderrenderer);
        return;
    }
    std::cout << "This GL cannot draw with shaders; drawing nothing" << std::endl;
    UseRenderer(none);
}
