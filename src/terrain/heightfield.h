#pragma once
// Height field: a 501 x 501 vertex grid, indexed [i][j] with i along world x
// and j along world z. Built once at start-up, read-only afterwards.

constexpr int gridside = 501;             // vertices per side
constexpr int gridcells = gridside - 1;   // cells per side; a cell is one world unit
constexpr double gridoffset = gridcells / 2 + 0.5;  // 250.5: the grid spans -250.5 .. 249.5

// World x of vertex row i, or world z of column j: index - 250.5, in double
// precision (both passes send it as a float).
constexpr double GridCoord(int index) { return index - gridoffset; }

extern float ground[gridside][gridside];  // height (world y) of each vertex
extern float gndtex[gridside][gridside];  // colour ramp coordinate, 0 bottom .. 1 top

// Scatters the dents, walls the grid in and maps heights to ramp coordinates.
// Writes "Denting-" and a spinner frame per dent to standard output; in a
// browser the page draws between frames of the spinner.
void FillArray();

// Relaxes (x, z) 40 % towards (fromX, fromZ), then spreads to the four
// neighbours with a random loss of strength. fromX or fromZ of -1 leaves
// (x, z) itself alone; that is how a dent starts.
void dent(int x, int z, int fromX, int fromZ, int strength);

// Maps inner heights onto 0..1 over a range that always includes 0; a flat
// interior maps to 0. The last step of FillArray.
void MapColours();
