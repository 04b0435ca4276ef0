#include "render/scene/cull.h"

#include <algorithm>

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

// Room for every piece from the first call: the ranges are never reallocated.
void VisibleRanges(const double clip[16], Ranges &r)
{
    r.first.clear();
    r.count.clear();
    r.first.reserve(pieces);
    r.count.reserve(pieces);
    for (int i = 0; i < strips; ++i) {
        bool open = false;  // the last range may grow along this strip
        for (int k = 0; k < piecesperstrip; ++k) {
            const Side side = BoxSide(clip, piecebox[i * piecesperstrip + k]);
            if (side == Side::outside) {
                open = false;
                continue;
            }
            if (open && side == Side::inside) {
                r.count.back() += 2 * piececells;
            } else {
                r.first.push_back(i * stripverts + 2 * k * piececells);
                r.count.push_back(2 * piececells + 2);
                open = side == Side::inside;
            }
        }
    }
}

int VisibleSegments(const double clip[16], int index[])
{
    int n = 0;
    for (int s = 0; s < segments; ++s)
        if (BoxSide(clip, segmentbox[s]) != Side::outside)
            index[n++] = s;
    return n;
}
