#include "render/scene/matrix.h"

#include <algorithm>
#include <cmath>

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

void ViewMatrix(float beta, float alpha, const float eye[3], double out[16])
{
    const double cb = std::cos(beta * degree), sb = std::sin(beta * degree);
    const double ca = std::cos(alpha * degree), sa = std::sin(alpha * degree);
    // Rows of Rx(beta) Ry(alpha); the translation is that rotation of -eye.
    const double r[3][3] = {{ca, 0, sa}, {sb * sa, cb, -sb * ca}, {-cb * sa, sb, cb * ca}};
    for (int row = 0; row < 3; ++row) {
        double t = 0;
        for (int k = 0; k < 3; ++k) {
            out[k * 4 + row] = r[row][k];
            t -= r[row][k] * eye[k];
        }
        out[12 + row] = t;
        out[row * 4 + 3] = 0;
    }
    out[15] = 1;
}

void ClipMatrix(const double proj[16], const double model[16], double out[16])
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double s = 0;
            for (int k = 0; k < 4; ++k)
                s += proj[k * 4 + r] * model[c * 4 + k];
            out[c * 4 + r] = s;
        }
}
