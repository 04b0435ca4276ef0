// The landscape pass for the context, chosen once, and what the passes share.
#include <GL/gl.h>
#include <GL/glx.h>

#include "render/cull.h"
#include "render/floorpass.h"
#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"

unsigned floorgrids = 1;                  // see floorpass.h
FloorPath floorpath = FloorPath::lists;   // GL 1.1 until ChooseFloor knows better

void ChooseFloor()
{
    Display *dpy = glXGetCurrentDisplay();
    const GLXContext ctx = glXGetCurrentContext();
    const bool direct = dpy && ctx && glXIsDirect(dpy, ctx);
    floorpath = ChooseFloorPath(reinterpret_cast<const char *>(glGetString(GL_VERSION)), direct);
}

void DrawFloor()
{
    if (floorpath == FloorPath::buffers)
        BufferFloor();
    else
        ListFloor();
}

void UploadFloor()
{
    ++floorgrids;
}

void ViewClip(double clip[16])
{
    double proj[16], model[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    ClipMatrix(proj, model, clip);
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
