#include "render/scene/cull.h"

#include <algorithm>
#include <cmath>

#include "render/scene/projection.h"

Box piecebox[pieces];      // world units
Box segmentbox[segments];  // world units

namespace {

// Generous slack so that float rounding in the GL never meets a skipped piece.
constexpr float margin = 1.0f;

Box BoundPiece(int i, int j0)
{
    Box b{{float(GridCoord(i)), ground[i][j0], float(GridCoord(j0))},
          {float(GridCoord(i + 1)), ground[i][j0], float(GridCoord(j0 + piececells))}};
    for (int ii = i; ii <= i + 1; ++ii)
        for (int j = j0; j <= j0 + piececells; ++j) {
            b.lo[1] = std::min(b.lo[1], ground[ii][j]);
            b.hi[1] = std::max(b.hi[1], ground[ii][j]);
        }
    for (int k = 0; k < 3; ++k) {
        b.lo[k] -= margin;
        b.hi[k] += margin;
    }
    return b;
}

}  // namespace

void BoundPieces()
{
    for (int i = 0; i < strips; ++i)
        for (int k = 0; k < piecesperstrip; ++k)
            piecebox[i * piecesperstrip + k] = BoundPiece(i, k * piececells);
    constexpr int piecespersegment = segmentcells / piececells;
    for (int s = 0; s < segments; ++s) {
        Box &b = segmentbox[s];
        b = piecebox[s * piecespersegment];
        for (int p = 1; p < piecespersegment; ++p)
            for (int k = 0; k < 3; ++k) {
                b.lo[k] = std::min(b.lo[k], piecebox[s * piecespersegment + p].lo[k]);
                b.hi[k] = std::max(b.hi[k], piecebox[s * piecespersegment + p].hi[k]);
            }
    }
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

Side BoxSide(const double clip[16], const Box &box)
{
    // Planes w + x, w - x, w + y, w - y, w + z, w - z >= 0 inside.
    Side side = Side::inside;
    for (int p = 0; p < 6; ++p) {
        const int row = p / 2;
        const double sign = (p % 2) ? -1.0 : 1.0;
        double most = clip[12 + 3] + sign * clip[12 + row];
        double least = most;
        for (int k = 0; k < 3; ++k) {
            const double a = clip[k * 4 + 3] + sign * clip[k * 4 + row];
            most += a * (a > 0 ? box.hi[k] : box.lo[k]);
            least += a * (a > 0 ? box.lo[k] : box.hi[k]);
        }
        if (most < 0)
            return Side::outside;
        if (least < 0)
            side = Side::straddles;
    }
    return side;
}

int VisibleRanges(const double clip[16], int first[], int count[])
{
    int n = 0;
    for (int i = 0; i < strips; ++i) {
        bool open = false;  // the last range may grow along this strip
        for (int k = 0; k < piecesperstrip; ++k) {
            const Side side = BoxSide(clip, piecebox[i * piecesperstrip + k]);
            if (side == Side::outside) {
                open = false;
                continue;
            }
            if (open && side == Side::inside) {
                count[n - 1] += 2 * piececells;
            } else {
                first[n] = i * stripverts + 2 * k * piececells;
                count[n] = 2 * piececells + 2;
                ++n;
                open = side == Side::inside;
            }
        }
    }
    return n;
}

int VisibleSegments(const double clip[16], int index[])
{
    int n = 0;
    for (int s = 0; s < segments; ++s)
        if (BoxSide(clip, segmentbox[s]) != Side::outside)
            index[n++] = s;
    return n;
}
