#pragma once
// Window and projection numbers, kept apart from GL so the controls can change
// them and tests can check them without a display.
#include "render/scene/matrix.h"

extern int currW, currH;  // window size in pixels, updated on every reshape
extern double plane;      // projection scale; near = 0.8 plane, far = 40 / plane
extern double projmatrix[16];  // the projection last given to the GL, column-major; set beside it

// The frustum for a scale. Square whatever the window: the opening is about
// 96.7 degrees both ways.
Frustum FrustumFor(double scale);

// True when glFrustum takes the frustum of this scale without an error:
// finite, positive and distinct near and far planes in single precision.
bool FrustumUsable(double scale);
