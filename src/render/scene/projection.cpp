#include "render/scene/projection.h"

#include <cmath>

int currW = 500, currH = 500;  // pixels
double plane = 0.1;            // Page Up divides by 1.1, Page Down multiplies
double projmatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // GL's own start

Frustum FrustumFor(double scale)
{
    return {-0.9 * scale, 0.9 * scale, -0.9 * scale, 0.9 * scale, 0.8 * scale, 40 / scale};
}

bool FrustumUsable(double scale)
{
    // The GL checks the planes in single precision.
    const Frustum f = FrustumFor(scale);
    const float n = float(f.znear), fa = float(f.zfar), l = float(f.left), r = float(f.right);
    return std::isfinite(n) && std::isfinite(fa) && n > 0 && fa > 0 && n != fa && l != r;
}
