#pragma once
// View-volume culling for the landscape's strips, cut into pieces along j.
// Pure arithmetic over the height field; the GL side only uploads and draws.

constexpr int stripverts = 2 * 501;  // vertices in one strip of the floor
constexpr int piececells = 20;       // cells of a strip in one culling piece
constexpr int piecesperstrip = 500 / piececells;
constexpr int pieces = 500 * piecesperstrip;

struct Box {
    float lo[3], hi[3];  // world-space bounds, x y z
};

extern Box piecebox[pieces];  // bounds of each piece, strip-major; from ground

// Bounds every piece from the current grid.
void BoundPieces();

// Combined clip matrix, column-major as GL keeps them: out = proj * model.
void ClipMatrix(const double proj[16], const double model[16], double out[16]);

// True when the box lies wholly outside one of the clip matrix's six planes.
bool BoxOutside(const double clip[16], const Box &box);

// Vertex ranges of the pieces that may show, in drawing order, with
// neighbouring pieces of a strip merged. Fills first and count (room for
// `pieces` each); returns how many ranges.
int VisibleRanges(const double clip[16], int first[], int count[]);
