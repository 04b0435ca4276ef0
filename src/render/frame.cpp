#include <GL/freeglut.h>

#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/viewer.h"

namespace {

// Centred on the eye, so it only turns with the view. Drawn without depth
// test as a backdrop; lit by the eye-fixed light, not by the current colour.
void DrawSky()
{
    glDisable(GL_DEPTH_TEST);
    glColor3f(skycolour[0], skycolour[1], skycolour[2]);
    glShadeModel(GL_SMOOTH);
    glRotatef(skytilt, 1, 0, 0);
    glutSolidSphere(skyradius, skyslices, skystacks);
    glRotatef(-skytilt, 1, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
}

void DrawLandscape(void (*pass)())
{
    glTranslatef(float(-xpos), float(-ypos), float(-zpos));
    glDisable(GL_LIGHTING);
    pass();
    glEnable(GL_LIGHTING);
}

}  // namespace

void DrawFrame(void (*pass)())
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(float(beta), 1, 0, 0);
    glRotatef(float(alpha), 0, 1, 0);
    DrawSky();
    DrawLandscape(pass);
    glFlush();
    glPopMatrix();
    glutTextOut(overlaytext);
}

// Vertex (i, j) at x = GridCoord(i), z = GridCoord(j). The strip order makes each
// triangle clockwise from above, so the ground is culled from below. Normals
// do not shade it (lighting is off) but the last one, (0, -40, 0), stays
// current and lights the overlay text.
void MakeFloor()
{
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
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
