// The ramp as the fixed-function passes take it. Not in a build without
// that pipeline: OpenGL ES has no 1D textures.
#include <GL/gl.h>

#include "terrain/ramp.h"
#include "terrain/texture.h"

void UploadRamp1D(const Ramp &ramp)
{
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStoref(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, ramp.components, GLsizei(ramp.width), 0,
                 PixelFormat(ramp.components), GL_FLOAT, ramp.samples.data());
}
