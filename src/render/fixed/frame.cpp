// The fixed-function frame: the sky, the landscape by the pass given, the
// overlay.
#include <GL/freeglut.h>

#include <algorithm>

#include "render/fixed/fixed.h"
#include "render/look.h"
#include "render/scene/glyphs.h"
#include "render/scene/view.h"

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

void PlaceLandscape(const FrameView &view, LandscapePass pass)
{
    glTranslatef(-view.eye[0], -view.eye[1], -view.eye[2]);
    glDisable(GL_LIGHTING);
    pass(view);
    glEnable(GL_LIGHTING);
}

}  // namespace

void DrawFrame(const FrameView &view, LandscapePass pass)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(view.beta, 1, 0, 0);
    glRotatef(view.alpha, 0, 1, 0);
    DrawSky();
    PlaceLandscape(view, pass);
    glFlush();
    glPopMatrix();
    glutTextOut(overlaytext, view.width, view.height);
}

void FixedFrame(const FrameView &view)
{
    DrawFrame(view, DrawLandscape);
}

// Window coordinates with y counting pixels down from the top edge. Lighting,
// fog and depth test stay on, so the glyphs take their shade from the light
// and the current normal.
void glutTextOut(const char *text, int width, int height)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, std::max(width, 1), 0, std::max(height, 1));  // a 0-wide ortho is an error
    glScalef(1, -1, 1);
    glTranslatef(0, float(-height), 0);
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
