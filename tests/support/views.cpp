#include "support/views.h"

#include "render/scene/projection.h"
#include "render/render.h"
#include "viewer/controls.h"
#include "viewer/viewer.h"

const View views[] = {
    {"start", 0, 0.5, 0, 0, 0, 0, 0},
    {"above, looking down", 0, 250, 0, 0, 90, 0, 0},
    {"at the wall, looking in", 0, 5, 245, 0, 0, 0, 0},
    {"turned 180", 0, 0.5, 0, 180, 0, 0, 0},
    {"pitched 40 down", 0, 0.5, 0, 0, 40, 0, 0},
    {"page up x10", 0, 0.5, 0, 0, 0, 10, 0},
    {"page down x5", 0, 0.5, 0, 0, 0, 0, 5},
};
const int viewcount = sizeof views / sizeof views[0];

void ApplyView(const View &view)
{
    ResetViewer();
    xpos = view.x;
    ypos = view.y;
    zpos = view.z;
    alpha = view.alpha;
    beta = view.beta;
    SetHeading();
    plane = 0.1;
    for (int k = 0; k < view.pageup; ++k)
        SpecialKey(key_pageup, 0);
    for (int k = 0; k < view.pagedown; ++k)
        SpecialKey(key_pagedown, 0);
    reshape(500, 500);
}
