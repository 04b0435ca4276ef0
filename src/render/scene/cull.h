#pragma once
// View-volume culling for the landscape's strips, cut into pieces along j.
// Pure arithmetic over the height field; the GL side only uploads and draws.
#include "render/scene/strips.h"
#include "terrain/heightfield.h"

constexpr int strips = gridcells;            // strip i runs between vertex rows i and i + 1
constexpr int stripverts = 2 * gridside;     // vertices in one strip of the landscape
constexpr int piececells = 10;               // cells of a strip in one culling piece
static_assert(gridcells % piececells == 0, "pieces must divide a strip");
constexpr int piecesperstrip = gridcells / piececells;
constexpr int pieces = strips * piecesperstrip;
constexpr int segmentcells = 50;             // cells of a strip in one display list
static_assert(segmentcells % piececells == 0 && gridcells % segmentcells == 0,
              "segments must be whole pieces and divide a strip");
constexpr int segmentsperstrip = gridcells / segmentcells;
constexpr int segments = strips * segmentsperstrip;

struct Box {
    float lo[3], hi[3];  // world-space bounds, x y z
};

extern Box piecebox[pieces];      // bounds of each piece, strip-major; from the heights
extern Box segmentbox[segments];  // bounds of each segment: its pieces' boxes together

// Bounds every piece and segment from the current grid.
void BoundPieces();

// Where a box lies against the view volume of a clip matrix (column-major,
// as ClipMatrix makes it).
enum class Side {
    outside,   // wholly beyond one of the six planes
    inside,    // wholly within all six
    straddles  // across at least one: the GL has to clip it
};
Side BoxSide(const double clip[16], const Box &box);

// The vertex ranges of the pieces that may show, in drawing order.
// Neighbouring pieces of a strip are merged unless one needs clipping, which
// sends the GL's whole batch down its slow path. Replaces ranges' contents,
// keeping their storage from frame to frame.
void VisibleRanges(const double clip[16], Ranges &ranges);

// Indices of the segments that may show, in drawing order. Fills index (room
// for `segments`); returns how many.
int VisibleSegments(const double clip[16], int index[]);
