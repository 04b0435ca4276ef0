// The one chooser, whichever build's candidates it walks.
#include <GL/gl.h>

#include <iostream>

#include "render/backend.h"
#include "render/candidates.h"
#include "render/render.h"

namespace {

bool Started() { return true; }
void NoState() {}
void NoRamp(const Ramp *) {}
void NoProjection(const Frustum &) {}
void NoFrame(const FrameView &) {}

// Where no candidate starts: nothing is drawn rather than half a frame.
const Renderer none = {.start = Started, .state = NoState, .ramp = NoRamp,
                       .projection = NoProjection, .frame = NoFrame, .lost = NoState};

}  // namespace

// The context's version is asked only of a candidate that needs it.
void ChooseRenderer()
{
    for (const Candidate &c : Candidates()) {
        if (c.asked && !c.asked())
            continue;
        if ((!c.possible || c.possible(reinterpret_cast<const char *>(glGetString(GL_VERSION)))) &&
            c.renderer->start()) {
            UseRenderer(*c.renderer);
            return;
        }
        if (c.otherwise)
            std::cout << c.otherwise << std::endl;
    }
    UseRenderer(none);
}
