// The fixed-function pipeline's state: set once at start-up, and the
// projection at each reshape. Not in a build without that pipeline.
#include <GL/glu.h>

#include "render/fixed/fixed.h"
#include "render/look.h"
#include "render/scene/matrix.h"

void InitFixedState()
{
    glEnable(GL_POLYGON_SMOOTH);
    glEnable(GL_CULL_FACE);
    glFogfv(GL_FOG_COLOR, light_ambient);
    glFogi(GL_FOG_MODE, GL_EXP2);
    glFogf(GL_FOG_DENSITY, fogdensity);
    glEnable(GL_FOG);
    glFrontFace(GL_CW);  // the landscape faces up and the sky is seen from inside
    glLightfv(GL_LIGHT0, GL_AMBIENT, light_ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light_diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light_specular);
    glLightfv(GL_LIGHT0, GL_POSITION, light_position);  // model-view is the identity here
    glEnable(GL_DEPTH_TEST);
    glClearColor(clearcolour[0], clearcolour[1], clearcolour[2], clearcolour[3]);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    // Lasts until the toolkit's first reshape; the matrix mode stays projection.
    gluPerspective(startfovy, startaspect, startnear, startfar);
}

void FixedProjection(const Frustum &f)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.znear, f.zfar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
