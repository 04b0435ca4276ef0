// The renderer in use, and what it is handed: the ramp, which it keeps to
// upload again on a new context.
#include "render/backend.h"

#include <GL/gl.h>

#include <iostream>

#include "platform/platform.h"
#include "terrain/ramp.h"
#include "terrain/texture.h"

const Renderer *renderer;  // see backend.h; null until chosen

namespace {

Ramp held;      // the last ramp read; width 0 before
bool holding;   // a ramp was read

// Stays 0 where the query fails (some indirect contexts).
long MaxTextureSize()
{
    GLint widest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &widest);
    return widest;
}

// Errors left over from before, so that the upload's own can be told apart;
// bounded, since a GL without a context can report one for ever.
void ClearErrors()
{
    for (int k = 0; k < 16 && glGetError() != GL_NO_ERROR; ++k) {
    }
}

void Take(const Ramp *ramp)
{
    holding = ramp != nullptr;
    held = holding ? *ramp : Ramp{};
    UploadRamp();
}

}  // namespace

void UploadRamp()
{
    if (!holding) {
        renderer->ramp(nullptr);
        ReportRamp(false);
        return;
    }
    ClearErrors();
    renderer->ramp(&held);
    const bool taken = glGetError() == GL_NO_ERROR;
    ReportRamp(taken);
    if (taken)
        return;
    renderer->ramp(nullptr);
    std::cout << "\nThis GL refused the " << held.width << " texels of colours.txt" << std::endl;
}

void UseRenderer(const Renderer &r)
{
    renderer = &r;
    ramptaker = {MaxTextureSize, Take};
}
