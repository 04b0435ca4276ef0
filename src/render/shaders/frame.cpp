// The frame drawn by shaders, for a GL without the fixed-function pipeline:
// the same sky, landscape and overlay, fed by the same culling and grids,
// from OpenGL ES 2.0 calls only. The matrices are the scene's.
#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/glentry.h"
#include "render/common/upload.h"
#include "render/look.h"
#include "render/scene/cull.h"
#include "render/scene/matrix.h"
#include "render/scene/sky.h"
#include "render/scene/strips.h"
#include "render/scene/view.h"
#include "render/shaders/shaders.h"
#include "terrain/heightfield.h"

namespace {

std::vector<unsigned> joined;  // the visible ranges as one strip, where the GL takes 32-bit indices
Ranges inview;                 // this frame's visible vertex ranges
Ranges held;                   // the ranges joined

void Matrix4(int at, const double m[16])
{
    float f[16];
    std::copy(m, m + 16, f);
    uniformmatrix4fv(at, 1, GL_FALSE, f);
}

// The normal matrix: the model-view's upper 3 x 3, which for the rotations
// the sky is turned by is its own inverse transpose.
void Matrix3(int at, const double m[16])
{
    const float f[9] = {float(m[0]), float(m[1]), float(m[2]), float(m[4]), float(m[5]),
                        float(m[6]), float(m[8]), float(m[9]), float(m[10])};
    uniformmatrix3fv(at, 1, GL_FALSE, f);
}

// A buffer refilled each frame keeps its storage while the data fits, which
// spares the GL a new allocation a frame.
void Refill(GLenum target, unsigned buffer, std::size_t &room, const void *data, std::size_t bytes)
{
    bindbuffer(target, buffer);
    if (bytes > room) {
        room = bytes;
        bufferdata(target, std::ptrdiff_t(bytes), data, GL_DYNAMIC_DRAW);
    } else {
        buffersubdata(target, 0, std::ptrdiff_t(bytes), data);
    }
}

// n floats a vertex for attribute a, from the bound buffer.
void Attribute(unsigned a, int n, int stride, std::size_t offset)
{
    vertexattribpointer(a, n, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void *>(offset));
    enablevertexattribarray(a);
}

// Where each of the sky program's attributes lies in a SkyVertex.
struct SkyAttribute {
    unsigned at;
    int n;
    std::size_t offset;
};
const SkyAttribute skyattributes[] = {
    {attrnormal, 3, offsetof(SkyVertex, from) + offsetof(SphereVertex, normal)},
    {attrposition, 3, offsetof(SkyVertex, from) + offsetof(SphereVertex, position)},
    {attrnormal2, 3, offsetof(SkyVertex, to) + offsetof(SphereVertex, normal)},
    {attrposition2, 3, offsetof(SkyVertex, to) + offsetof(SphereVertex, position)},
    {attralong, 1, offsetof(SkyVertex, t)}};

// The sky's triangles clipped to the near plane, so that none of its
// vertices reaches the GL with w <= 0; refilled each frame.
int FillSky(const double sky[16], const double projection[16])
{
    static const std::vector<SphereVertex> strips = SphereStrips(float(skyradius), skyslices, skystacks);
    const std::vector<SkyVertex> v = ClipSky(strips, skystacks, sky, projection);
    Refill(GL_ARRAY_BUFFER, skybuffer, skyroom, v.data(), v.size() * sizeof v[0]);
    for (const SkyAttribute &a : skyattributes)
        Attribute(a.at, a.n, sizeof(SkyVertex), a.offset);
    return int(v.size());
}

// Turned with the view and tilted, never moved; a backdrop without depth test.
void DrawSky(const FrameView &view)
{
    const float nowhere[3] = {0, 0, 0};
    double tilt[16], sky[16];
    ViewMatrix(skytilt, 0, nowhere, tilt);
    ClipMatrix(view.turn, tilt, sky);
    glDisable(GL_DEPTH_TEST);
    useprogram(skyprogram.id);
    Matrix4(skyprogram.modelview, sky);
    Matrix4(skyprogram.projection, view.projection);
    Matrix3(skyprogram.normalmatrix, sky);
    const int vertices = FillSky(sky, view.projection);
    glDrawArrays(GL_TRIANGLES, 0, vertices);
    for (const SkyAttribute &a : skyattributes)
        disablevertexattribarray(a.at);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    useprogram(0);
    glEnable(GL_DEPTH_TEST);
}

// The visible ranges in one draw: joined into one strip of 32-bit indices
// where the GL takes them (every desktop GL, most WebGL), else in one call
// where the browser offers WebGL's multi-draw, else each a strip of its own,
// as ES 2.0 has neither. A browser's GL checks and sets up each draw anew,
// which costs more than the few degenerate triangles of the joins.
void DrawRanges(const Ranges &ranges)
{
    const int n = int(ranges.first.size());
    if (bigindices) {
        // As the last frame's, as often while the view stands still or barely
        // moves; a new context's buffer holds none.
        if (indexroom > 0 && ranges == held) {
            bindbuffer(GL_ELEMENT_ARRAY_BUFFER, indexbuffer);
        } else {
            JoinStrips(ranges, joined);
            Refill(GL_ELEMENT_ARRAY_BUFFER, indexbuffer, indexroom, joined.data(), joined.size() * sizeof(unsigned));
            held = ranges;
        }
        glDrawElements(GL_TRIANGLE_STRIP, GLsizei(joined.size()), GL_UNSIGNED_INT, nullptr);
        bindbuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    } else if (multidraws) {
        multidraw(GL_TRIANGLE_STRIP, ranges.first.data(), ranges.count.data(), n);
    } else {
        for (int k = 0; k < n; ++k)
            glDrawArrays(GL_TRIANGLE_STRIP, ranges.first[std::size_t(k)], ranges.count[std::size_t(k)]);
    }
}

// The strips' buffer filled on the first frame after the grids change.
void DrawLandscape(const FrameView &view)
{
    FillStrips(landscapebuffer, landscapefor);
    VisibleRanges(view.clip, inview);
    useprogram(landscapeprogram.id);
    Matrix4(landscapeprogram.modelview, view.view);
    Matrix4(landscapeprogram.projection, view.projection);
    uniform1i(landscapeprogram.textured, rampimage);
    glBindTexture(GL_TEXTURE_2D, ramptexture2d);
    bindbuffer(GL_ARRAY_BUFFER, landscapebuffer);
    Attribute(attrcoord, 1, stripstride, 0);
    Attribute(attrposition, 3, stripstride, stripposition);
    DrawRanges(inview);
    disablevertexattribarray(attrposition);
    disablevertexattribarray(attrcoord);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    useprogram(0);
}

// Every glyph in one draw, each lit at its raster position by the normal
// the landscape leaves, the wall vertex's.
void DrawOverlay(const FrameView &view)
{
    double proj[16];
    Ortho2DMatrix(0, std::max(view.width, 1), std::max(view.height, 1), 0, proj);
    useprogram(textprogram.id);
    Matrix4(textprogram.projection, proj);
    uniform3f(textprogram.normal, 0, -ground[gridcells][gridcells], 0);
    glBindTexture(GL_TEXTURE_2D, glyphtexture);
    bindbuffer(GL_ARRAY_BUFFER, textbuffer);
    Attribute(attrposition, 2, 6 * sizeof(float), 0);
    Attribute(attrcoord, 2, 6 * sizeof(float), 2 * sizeof(float));
    Attribute(attrorigin, 2, 6 * sizeof(float), 4 * sizeof(float));
    glDrawArrays(GL_TRIANGLES, 0, textvertices);
    disablevertexattribarray(attrorigin);
    disablevertexattribarray(attrcoord);
    disablevertexattribarray(attrposition);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    useprogram(0);
}

}  // namespace

void ShaderFrame(const FrameView &view)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawSky(view);
    DrawLandscape(view);
    DrawOverlay(view);
}
