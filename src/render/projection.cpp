#include "render/projection.h"

int currW = 500, currH = 500;  // pixels
double plane = 0.1;            // Page Up divides by 1.1, Page Down multiplies

Frustum FrustumFor(double scale)
{
    return {-0.9 * scale, 0.9 * scale, -0.9 * scale, 0.9 * scale, 0.8 * scale, 40 / scale};
}
