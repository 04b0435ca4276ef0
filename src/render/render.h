#pragma once
// Fixed render state, projection, frames and the text overlay.

// Fixed state for every frame: smoothing, culling, fog, light 0, depth test,
// clear colour and the start-up 45-degree perspective. Run once.
void InitRender();

// Viewport and square frustum for a w x h window; leaves the model-view
// matrix current and the identity.
void reshape(int w, int h);

// Everything of a frame but the swap, for readers of the back buffer.
void DrawFrame();

// One frame: sky sphere, landscape, overlay, swap. Expects and leaves the
// model-view matrix current and the identity.
void display();

// The landscape as 500 immediate-mode strips: the reference pass.
void MakeFloor();

// The same strips from a buffer object, skipping pieces outside the view.
void DrawFloor();

// (Re)builds DrawFloor's buffer and culling bounds from the grids; DrawFloor
// does it on first use.
void UploadFloor();

// Landscape pass used by display: DrawFloor, or MakeFloor for comparison.
extern void (*floorpass)();

// One line of bitmap text, baseline 10 pixels below the top edge, from x = 0.
void glutTextOut(const char *text);
