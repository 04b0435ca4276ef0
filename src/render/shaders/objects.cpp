// The shader renderer's GL objects: made once a context, or again when the
// ramp changes (the frame fills the landscape's as the grids change).
#include <GL/gl.h>
#include <GL/glext.h>  // GL_CLAMP_TO_EDGE, past Windows' GL 1.1

#include <vector>

#include "platform/glentry.h"
#include "platform/platform.h"
#include "render/capability.h"
#include "render/common/upload.h"
#include "render/look.h"
#include "render/scene/glyphs.h"
#include "render/shaders/shaders.h"
#include "terrain/ramp.h"

unsigned skybuffer, indexbuffer, landscapebuffer, landscapefor, textbuffer, glyphtexture, ramptexture2d;  // see shaders.h
bool rampimage, multidraws, bigindices;
int textvertices;
std::size_t skyroom, indexroom;

namespace {

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
    const std::vector<GlyphQuad> overlay = LayoutText(overlaytext, textbaseline);
    const float across = 1.0f / float(a.width);
    std::vector<float> v;  // x, y, atlas s, t, raster x, y, per vertex
    for (const GlyphQuad &q : overlay) {
        const float s0 = float(q.atlasleft) * across, s1 = float(q.atlasleft + q.right - q.left) * across;
        const float x0 = float(q.left), x1 = float(q.right), y0 = float(q.top), y1 = float(q.bottom);
        const float pen = float(q.pen), base = float(textbaseline);
        // Top left, top right, bottom left; bottom left, top right, bottom
        // right: clockwise on screen, so front faces.
        const float corners[36] = {x0, y0, s0, 0, pen, base, x1, y0, s1, 0, pen, base, x0, y1, s0, 1, pen, base,
                                   x0, y1, s0, 1, pen, base, x1, y0, s1, 0, pen, base, x1, y1, s1, 1, pen, base};
        v.insert(v.end(), corners, corners + 36);
    }
    textvertices = int(v.size() / 6);
    FillBuffer(textbuffer, v.data(), long(v.size() * sizeof(float)));
}

}  // namespace

void InitShaderState()
{
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);  // the landscape faces up and the sky is seen from inside
    glEnable(GL_DEPTH_TEST);
    glClearColor(clearcolour[0], clearcolour[1], clearcolour[2], clearcolour[3]);
    genbuffers(1, &skybuffer);  // filled as each frame clips the sky
    genbuffers(1, &indexbuffer);  // and as each culls the landscape
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
    const char *extensions = reinterpret_cast<const char *>(glGetString(GL_EXTENSIONS));
    multidraws = HasExtension(extensions, webglmultidraw);
    bigindices = BigIndices(reinterpret_cast<const char *>(glGetString(GL_VERSION)), extensions);
    return true;
}

void ForgetShaders()
{
    skybuffer = indexbuffer = landscapebuffer = textbuffer = glyphtexture = ramptexture2d = 0;
    skyroom = indexroom = 0;
    landscapefor = 0;
    rampimage = false;
    skyprogram = landscapeprogram = textprogram = Program{};
}
