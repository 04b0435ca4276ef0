// The fixed-function frame: the sky, the landscape by the pass given, the
// overlay.
#include <GL/freeglut.h>

#include "render/fixed/fixed.h"
#include "render/look.h"
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
    glutTextOut(overlaytext);
}
