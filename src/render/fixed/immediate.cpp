// The landscape in immediate mode, and the texturing every pass draws in.
#include <GL/gl.h>

#include "render/fixed/fixed.h"
#include "render/fixed/landscape.h"
#include "terrain/heightfield.h"

namespace {

void RampOn()
{
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

}  // namespace

// Vertex (i, j) at x = GridCoord(i), z = GridCoord(j). The strip order makes each
// triangle clockwise from above, so the landscape is culled from below.
// Normals do not shade it (lighting is off) but the last one, (0, -40, 0),
// stays current and lights the overlay text.
void MakeFloor()
{
    RampOn();
    for (int i = 0; i < gridcells; ++i) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j < gridside; ++j) {
            glTexCoord1d(gndtex[i][j]);
            glNormal3f(0, -ground[i][j], 0);
            glVertex3f(float(GridCoord(i)), ground[i][j], float(GridCoord(j)));
            glTexCoord1d(gndtex[i + 1][j]);
            glNormal3f(0, -ground[i + 1][j], 0);
            glVertex3f(float(GridCoord(i + 1)), ground[i + 1][j], float(GridCoord(j)));
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_1D);
}

void ImmediateLandscape(const FrameView &)
{
    MakeFloor();
}

void DrawTextured(void (*send)(int n), int n)
{
    RampOn();
    send(n);
    glTexCoord1d(gndtex[gridcells][gridcells]);
    glNormal3f(0, -ground[gridcells][gridcells], 0);
    glDisable(GL_TEXTURE_1D);
}
