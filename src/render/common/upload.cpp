#include "render/common/upload.h"

#include <GL/gl.h>

#include <cstddef>

#include "platform/glentry.h"
#include "render/scene/cull.h"
#include "render/scene/strips.h"

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
