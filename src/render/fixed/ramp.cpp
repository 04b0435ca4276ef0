// The ramp as the fixed-function pipeline takes it: the samples as they
// stand. OpenGL ES has no 1D textures.
#include <GL/gl.h>

#include "render/common/upload.h"
#include "render/fixed/fixed.h"
#include "terrain/ramp.h"

// Without a ramp, texture 1 is left as it is: without image unless one
// was uploaded before.
void UploadRamp1D(const Ramp *r)
{
    if (!r)
        return;
    const Ramp &ramp = *r;
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStoref(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, ramp.components, GLsizei(ramp.width), 0,
                 PixelFormat(ramp.components), GL_FLOAT, ramp.samples.data());
}
