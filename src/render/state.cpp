#include <GL/gl.h>

#include "platform/platform.h"
#include "render/render.h"
#include "render/renderer.h"
#include "render/scene/projection.h"

const float light_position[] = {0, 100, 0, 1};  // see render.h
const float light_ambient[] = {1, 1, 1, 1};
const float light_diffuse[] = {1, 1, 1, 1};
const float light_specular[] = {1, 1, 1, 1};
const float clearcolour[] = {0.2f, 0.4f, 0.6f, 0.0f};
const float skycolour[] = {0.3f, 0.2f, 0.3f};

void InitRender()
{
    renderer->state();
    PerspectiveMatrix(startfovy, startaspect, startnear, startfar, projmatrix);
    StartPacing();
}

void reshape(int w, int h)
{
    currH = h;
    currW = w;
    glViewport(0, 0, w, h);
    const Frustum f = FrustumFor(plane);
    FrustumMatrix(f, projmatrix);
    renderer->projection(f);
}

void RestartRenderer()
{
    renderer->lost();
    ChooseRenderer();  // in start-up's order: the ramp, the state, the first reshape
    UploadRamp();
    InitRender();
    reshape(currW, currH);
}
