#include <GL/glu.h>

#include <cstdlib>

#include "platform/platform.h"
#include "render/projection.h"
#include "render/render.h"
#include "render/shaderpass.h"

namespace {

// The start-up perspective: field of view in degrees, aspect, near, far.
constexpr double startfovy = 45, startaspect = 1.0, startnear = double(0.1f), startfar = 100;

}  // namespace

const float light_position[] = {0, 100, 0, 1};  // see render.h
const float light_ambient[] = {1, 1, 1, 1};
const float light_diffuse[] = {1, 1, 1, 1};
const float light_specular[] = {1, 1, 1, 1};
const float clearcolour[] = {0.2f, 0.4f, 0.6f, 0.0f};

void InitRender()
{
    if (shaderpass) {
        InitShaderState();
        PerspectiveMatrix(startfovy, startaspect, startnear, startfar, projmatrix);
        StartPacing();
        return;
    }
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
    PerspectiveMatrix(startfovy, startaspect, startnear, startfar, projmatrix);
    ChooseFloor();
    StartPacing();
}

// The GL driver's own libraries (LLVM's, under llvmpipe) load with the first
// window and register their destructors then, after glutInit registered the
// toolkit's exit handler. Exit handlers run in reverse order, so that handler
// would release the context after those libraries are torn down, and the
// driver's last flush, which may compile, would run in them. One registered
// now releases it first; the toolkit's still tears everything down.
void ReleaseAtExit()
{
    std::atexit(ReleaseContext);
}

void reshape(int w, int h)
{
    currH = h;
    currW = w;
    glViewport(0, 0, w, h);
    const Frustum f = FrustumFor(plane);
    FrustumMatrix(f, projmatrix);
    if (shaderpass)
        return;  // its matrices are the program's own
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.znear, f.zfar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
