// The renderer in use, and what it is handed: the ramp, which it keeps to
// upload again on a new context.
#include "render/renderer.h"

#include <GL/gl.h>

#include <cstddef>
#include <iostream>

#include "platform/glentry.h"
#include "platform/platform.h"
#include "render/scene/cull.h"
#include "render/scene/strips.h"
#include "terrain/ramp.h"
#include "terrain/texture.h"

const Renderer *renderer;  // see renderer.h; null until chosen

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

unsigned PixelFormat(int components)
{
    switch (components) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
    }
}

void FillBuffer(unsigned &buffer, const void *data, long bytes)
{
    if (!buffer)
        genbuffers(1, &buffer);
    bindbuffer(GL_ARRAY_BUFFER, buffer);
    bufferdata(GL_ARRAY_BUFFER, std::ptrdiff_t(bytes), data, GL_STATIC_DRAW);
    bindbuffer(GL_ARRAY_BUFFER, 0);
}

void FillStrips(unsigned &buffer, unsigned &holds)
{
    if (holds == gridsgeneration)
        return;
    holds = gridsgeneration;
    const auto v = StripVertices();
    FillBuffer(buffer, v.data(), long(v.size() * sizeof v[0]));
    BoundPieces();
}
