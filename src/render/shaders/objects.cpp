// The shader renderer's GL objects: made once a context, or again when the
// grids or the ramp change.
#include <GL/gl.h>
#include <GL/glext.h>  // GL_CLAMP_TO_EDGE, past Windows' GL 1.1

#include <vector>

#include "platform/glentry.h"
#include "platform/platform.h"
#include "render/render.h"
#include "render/renderer.h"
#include "render/scene/choice.h"
#include "render/shaders/shaders.h"
#include "terrain/ramp.h"

unsigned skybuffer, landscapebuffer, textbuffer, glyphtexture, ramptexture2d;  // see shaders.h
bool rampimage, multidraws;
std::vector<GlyphQuad> overlay;

namespace {

unsigned landscapefor;  // the gridsgeneration landscapebuffer holds; 0 before the first fill

void Texture2D(unsigned name, int filter)
{
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

// The atlas, and the overlay's quads in window pixels with y down: the text
// never changes, so they are laid out once.
void MakeGlyphs()
{
    const GlyphAtlas &a = Glyphs();
    glGenTextures(1, &glyphtexture);
    Texture2D(glyphtexture, GL_NEAREST);
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
    FillBuffer(textbuffer, v.data(), long(v.size() * sizeof(float)));
}

}  // namespace

void RefreshLandscape()
{
    FillStrips(landscapebuffer, landscapefor);
}

void InitShaderState()
{
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);  // the landscape faces up and the sky is seen from inside
    glEnable(GL_DEPTH_TEST);
    glClearColor(clearcolour[0], clearcolour[1], clearcolour[2], clearcolour[3]);
    genbuffers(1, &skybuffer);  // filled as each frame clips the sky
    MakeGlyphs();
}

// Filtered linearly and repeated, as the 1D texture is.
void UploadRamp2D(const Ramp *ramp)
{
    rampimage = ramp && ramp->width > 0;
    if (!ramp)
        return;
    const std::vector<unsigned char> texels = RampBytes(*ramp);
    const GLenum format = PixelFormat(ramp->components);
    Texture2D(ramptexture2d, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), GLsizei(ramp->width), 1, 0, format, GL_UNSIGNED_BYTE,
                 texels.data());
}

bool StartShaders()
{
    if (!LoadShaderEntries() || !BuildPrograms())
        return false;
    glGenTextures(1, &ramptexture2d);
    multidraws = HasExtension(reinterpret_cast<const char *>(glGetString(GL_EXTENSIONS)), webglmultidraw);
    return true;
}

void ForgetShaders()
{
    skybuffer = landscapebuffer = textbuffer = glyphtexture = ramptexture2d = 0;
    landscapefor = 0;
    rampimage = false;
    skyprogram = landscapeprogram = textprogram = Program{};
}
