#include "render/scene/view.h"

#include <algorithm>

#include "render/scene/matrix.h"
#include "render/scene/projection.h"
#include "viewer/viewer.h"

FrameView CurrentView()
{
    FrameView v{{float(xpos), float(ypos), float(zpos)}, float(beta), float(alpha), {}, {}, {}, {}, currW, currH};
    const float nowhere[3] = {0, 0, 0};
    std::copy(projmatrix, projmatrix + 16, v.projection);
    ViewMatrix(v.beta, v.alpha, nowhere, v.turn);
    ViewMatrix(v.beta, v.alpha, v.eye, v.view);
    ClipMatrix(v.projection, v.view, v.clip);
    return v;
}
