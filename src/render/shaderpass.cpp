// The frame drawn by shaders, for a GL without the fixed-function pipeline:
// the same sky, landscape and overlay, fed by the same culling and grids,
// from OpenGL ES 2.0 calls only. The matrices are the program's own.
#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <iostream>
#include <vector>

#include "platform/glentry.h"
#include "platform/platform.h"
#include "render/cull.h"
#include "render/floorpass.h"
#include "render/glyphs.h"
#include "render/projection.h"
#include "render/render.h"
#include "render/shaderpass.h"
#include "render/sphere.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/viewer.h"

bool shaderpass;  // see render.h

namespace {

constexpr int skystripverts = 2 * (skyslices + 1);
const float nowhere[3] = {0, 0, 0};  // an eye at the origin: the view turned, not moved
GLuint skybuffer, floorbuffer, textbuffer;  // 0 until made
GLuint glyphtexture;                        // the glyph atlas; 0 until made
std::vector<GlyphQuad> overlay;  // the overlay's glyphs, in textbuffer's order
unsigned floorfor;  // the floorgrids floorbuffer holds; 0 before the first upload

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

// n floats a vertex for attribute a, from the bound buffer.
void Attribute(unsigned a, int n, int stride, std::size_t offset)
{
    vertexattribpointer(a, n, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void *>(offset));
    enablevertexattribarray(a);
}

void MakeSky()
{
    const std::vector<SphereVertex> v = SphereStrips(float(skyradius), skyslices, skystacks);
    genbuffers(1, &skybuffer);
    bindbuffer(GL_ARRAY_BUFFER, skybuffer);
    bufferdata(GL_ARRAY_BUFFER, std::ptrdiff_t(v.size() * sizeof v[0]), v.data(), GL_STATIC_DRAW);
    bindbuffer(GL_ARRAY_BUFFER, 0);
}

// The atlas, and the overlay's quads in window pixels with y down: the text
// never changes, so they are laid out once.
void MakeGlyphs()
{
    const GlyphAtlas &a = Glyphs();
    glGenTextures(1, &glyphtexture);
    glBindTexture(GL_TEXTURE_2D, glyphtexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, a.width, glyphrows, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                 a.texels.data());
    overlay = LayoutText(overlaytext, textbaseline);
    const float across = 1.0f / float(a.width);
    std::vector<float> v;  // x, y, then atlas s, t, per vertex
    for (const GlyphQuad &q : overlay) {
        const float s0 = float(q.atlasleft) * across, s1 = float(q.atlasleft + q.right - q.left) * across;
        // Top left, top right, bottom left, bottom right: clockwise on screen, so front faces.
        const float corners[16] = {float(q.left), float(q.top), s0, 0, float(q.right), float(q.top), s1, 0,
                                   float(q.left), float(q.bottom), s0, 1, float(q.right), float(q.bottom), s1, 1};
        v.insert(v.end(), corners, corners + 16);
    }
    genbuffers(1, &textbuffer);
    bindbuffer(GL_ARRAY_BUFFER, textbuffer);
    bufferdata(GL_ARRAY_BUFFER, std::ptrdiff_t(v.size() * sizeof(float)), v.data(), GL_STATIC_DRAW);
    bindbuffer(GL_ARRAY_BUFFER, 0);
}

// Turned with the view and tilted, never moved; a backdrop without depth test.
void DrawSky(const double turn[16])
{
    double tilt[16], sky[16];
    ViewMatrix(skytilt, 0, nowhere, tilt);
    ClipMatrix(turn, tilt, sky);
    glDisable(GL_DEPTH_TEST);
    useprogram(skyprogram.id);
    Matrix4(skyprogram.modelview, sky);
    Matrix4(skyprogram.projection, projmatrix);
    Matrix3(skyprogram.normalmatrix, sky);
    bindbuffer(GL_ARRAY_BUFFER, skybuffer);
    Attribute(attrnormal, 3, sizeof(SphereVertex), offsetof(SphereVertex, normal));
    Attribute(attrposition, 3, sizeof(SphereVertex), offsetof(SphereVertex, position));
    for (int s = 0; s < skystacks; ++s)
        glDrawArrays(GL_TRIANGLE_STRIP, s * skystripverts, skystripverts);
    disablevertexattribarray(attrposition);
    disablevertexattribarray(attrnormal);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    useprogram(0);
    glEnable(GL_DEPTH_TEST);
}

// The ranges of the strips that may show, each a strip of its own: ES 2.0
// has no multi-draw.
void DrawLandscape(const double view[16])
{
    FillStrips(floorbuffer, floorfor);
    double clip[16];
    ClipMatrix(projmatrix, view, clip);
    const int n = VisibleRanges(clip, rangefirst, rangecount);
    useprogram(floorprogram.id);
    Matrix4(floorprogram.modelview, view);
    Matrix4(floorprogram.projection, projmatrix);
    uniform1i(floorprogram.textured, rampimage);
    glBindTexture(GL_TEXTURE_2D, shaderramp);
    bindbuffer(GL_ARRAY_BUFFER, floorbuffer);
    Attribute(attrcoord, 1, stripstride, 0);
    Attribute(attrposition, 3, stripstride, stripposition);
    for (int k = 0; k < n; ++k)
        glDrawArrays(GL_TRIANGLE_STRIP, rangefirst[k], rangecount[k]);
    disablevertexattribarray(attrposition);
    disablevertexattribarray(attrcoord);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    useprogram(0);
}

// One quad a glyph, lit at its raster position by the normal the landscape
// leaves, the wall vertex's.
void DrawOverlay()
{
    double proj[16];
    Ortho2DMatrix(0, std::max(currW, 1), std::max(currH, 1), 0, proj);
    useprogram(textprogram.id);
    Matrix4(textprogram.projection, proj);
    uniform3f(textprogram.normal, 0, -ground[gridcells][gridcells], 0);
    glBindTexture(GL_TEXTURE_2D, glyphtexture);
    bindbuffer(GL_ARRAY_BUFFER, textbuffer);
    Attribute(attrposition, 2, 4 * sizeof(float), 0);
    Attribute(attrcoord, 2, 4 * sizeof(float), 2 * sizeof(float));
    for (std::size_t k = 0; k < overlay.size(); ++k) {
        uniform3f(textprogram.origin, float(overlay[k].pen), float(textbaseline), 0);
        glDrawArrays(GL_TRIANGLE_STRIP, GLint(4 * k), 4);
    }
    disablevertexattribarray(attrcoord);
    disablevertexattribarray(attrposition);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    useprogram(0);
}

}  // namespace

void ChooseShaders()
{
    if (!ShadersAsked())
        return;
    shaderpass = ShadersPossible(reinterpret_cast<const char *>(glGetString(GL_VERSION))) &&
                 LoadShaderEntries() && BuildPrograms();
    if (!shaderpass)
        std::cout << "This GL cannot draw with shaders; drawing without them" << std::endl;
}

void InitShaderState()
{
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);  // the landscape faces up and the sky is seen from inside
    glEnable(GL_DEPTH_TEST);
    glClearColor(clearcolour[0], clearcolour[1], clearcolour[2], clearcolour[3]);
    MakeSky();
    MakeGlyphs();
}

void ShaderFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const float eye[3] = {float(xpos), float(ypos), float(zpos)};
    double turn[16], view[16];
    ViewMatrix(float(beta), float(alpha), nowhere, turn);
    ViewMatrix(float(beta), float(alpha), eye, view);
    DrawSky(turn);
    DrawLandscape(view);
    glFlush();
    DrawOverlay();
}
