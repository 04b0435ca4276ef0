// What the culled landscape passes share: the grids' generation, the view
// volume and the textured drawing around their strips.
#include <GL/gl.h>

#include "render/cull.h"
#include "render/floorpass.h"
#include "render/projection.h"
#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/viewer.h"

unsigned floorgrids = 1;  // see floorpass.h

void UploadFloor()
{
    ++floorgrids;
}

void ViewClip(double clip[16])
{
    const float eye[3] = {float(xpos), float(ypos), float(zpos)};
    double view[16];
    ViewMatrix(float(beta), float(alpha), eye, view);
    ClipMatrix(projmatrix, view, clip);
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
