#include "render/scene/projection.h"

#include <algorithm>
#include <cmath>

int currW = 500, currH = 500;  // pixels
double plane = 0.1;            // Page Up divides by 1.1, Page Down multiplies
double projmatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // GL's own start

Frustum FrustumFor(double scale)
{
    return {-0.9 * scale, 0.9 * scale, -0.9 * scale, 0.9 * scale, 0.8 * scale, 40 / scale};
}

void FrustumMatrix(const Frustum &f, double out[16])
{
    const double w = f.right - f.left, h = f.top - f.bottom, d = f.zfar - f.znear;
    const double m[16] = {2 * f.znear / w, 0, 0, 0,
                          0, 2 * f.znear / h, 0, 0,
                          (f.right + f.left) / w, (f.top + f.bottom) / h, -(f.zfar + f.znear) / d, -1,
                          0, 0, -2 * f.zfar * f.znear / d, 0};
    std::copy(m, m + 16, out);
}

void PerspectiveMatrix(double fovy, double aspect, double znear, double zfar, double out[16])
{
    const double top = znear * std::tan(fovy / 2 * degree), right = top * aspect;
    FrustumMatrix({-right, right, -top, top, znear, zfar}, out);
}

void Ortho2DMatrix(double left, double right, double bottom, double top, double out[16])
{
    const double w = right - left, h = top - bottom;
    const double m[16] = {2 / w, 0, 0, 0, 0, 2 / h, 0, 0, 0, 0, -1, 0,
                          -(right + left) / w, -(top + bottom) / h, 0, 1};
    std::copy(m, m + 16, out);
}

bool FrustumUsable(double scale)
{
    // The GL checks the planes in single precision.
    const Frustum f = FrustumFor(scale);
    const float n = float(f.znear), fa = float(f.zfar), l = float(f.left), r = float(f.right);
    return std::isfinite(n) && std::isfinite(fa) && n > 0 && fa > 0 && n != fa && l != r;
}
