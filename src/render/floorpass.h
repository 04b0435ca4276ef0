#pragma once
// What the culled landscape passes share. Each keeps its own copy of the
// grids in the GL and rebuilds it when floorgrids has moved on.

extern unsigned floorgrids;  // bumped by UploadFloor when the grids change; starts at 1

// Projection times model-view where the frame draws the landscape, from the
// program's own numbers (the last projection set, the viewer's angles and
// position): asking the GL would wait for a reply, over the network on an
// indirect context.
void ViewClip(double clip[16]);

// Runs send(n) with the ramp on (fill, texture 1 in replace mode), then
// leaves current what the immediate strips leave: the last wall vertex's
// texture coordinate and normal. The overlay is lit by that normal.
void DrawTextured(void (*send)(int n), int n);

// The strips as MakeFloor sends them, strip-major, in a buffer object (made
// when buffer is 0): per vertex the ramp coordinate s, then x, y and z, all
// floats. Refilled, and the culling pieces bounded, only when holds (the
// floorgrids it was filled from; 0 before) is behind floorgrids.
void FillStrips(unsigned &buffer, unsigned &holds);
constexpr int stripstride = 4 * sizeof(float);           // bytes from one vertex to the next
constexpr int stripposition = sizeof(float);             // offset of x, y, z in a vertex

extern int rangefirst[], rangecount[];  // this frame's visible vertex ranges (room for `pieces`)
