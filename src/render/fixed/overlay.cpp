#include <GL/freeglut.h>

#include <algorithm>

#include "render/fixed/fixed.h"
#include "render/scene/glyphs.h"
#include "render/scene/projection.h"

// Window coordinates with y counting pixels down from the top edge. Lighting,
// fog and depth test stay on, so the glyphs take their shade from the light
// and the current normal.
void glutTextOut(const char *text)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, std::max(currW, 1), 0, std::max(currH, 1));  // a 0-wide ortho is an error
    glScalef(1, -1, 1);
    glTranslatef(0, float(-currH), 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    int pen = 0;  // pixels from the left edge
    for (const char *c = text; *c; ++c) {
        glRasterPos2i(pen, textbaseline);
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_12, static_cast<unsigned char>(*c));
        pen += glutBitmapWidth(GLUT_BITMAP_HELVETICA_12, static_cast<unsigned char>(*c)) + glyphgap;
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
