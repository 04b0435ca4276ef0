// The fixed-function landscape pass for the context, chosen once, and the
// texturing around its strips.
#include <GL/gl.h>

#include "platform/platform.h"
#include "render/floorpass.h"
#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"

FloorPath floorpath = FloorPath::lists;  // GL 1.1 until ChooseFloor knows better

// Buffers also need their entry points, which a GL may not give.
void ChooseFloor()
{
    floorpath = ChooseFloorPath(reinterpret_cast<const char *>(glGetString(GL_VERSION)), ContextIsDirect());
    if (floorpath == FloorPath::buffers && !LoadGlEntries())
        floorpath = FloorPath::lists;
}

void DrawFloor()
{
    if (floorpath == FloorPath::buffers)
        BufferFloor();
    else
        ListFloor();
}

void DrawTextured(void (*send)(int n), int n)
{
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    send(n);
    glTexCoord1d(gndtex[gridcells][gridcells]);
    glNormal3f(0, -ground[gridcells][gridcells], 0);
    glDisable(GL_TEXTURE_1D);
}
