#include <GL/gl.h>

#include "platform/platform.h"
#include "render/backend.h"
#include "render/look.h"
#include "render/render.h"
#include "render/scene/matrix.h"
#include "render/scene/projection.h"

void InitRender()
{
    YieldToPage(1);  // the ramp's texture made, in a browser the page draws before the buffers are
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
