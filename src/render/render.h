#pragma once
// Fixed render state, projection, frames and the text overlay.

// Fixed state for every frame: smoothing, culling, fog, light 0, depth test,
// clear colour and the start-up 45-degree perspective. Run once.
void InitRender();

// Viewport and square frustum for a w x h window; leaves the model-view
// matrix current and the identity.
void reshape(int w, int h);

// The landscape as its strips in immediate mode: the reference pass.
void MakeFloor();

// The same strips from a buffer object, skipping pieces outside the view:
// the default pass.
void DrawFloor();

// Everything of a frame but the swap, for readers of the back buffer, with
// the landscape drawn by the given pass.
void DrawFrame(void (*pass)() = DrawFloor);

// One frame: sky sphere, landscape, overlay, swap. Expects and leaves the
// model-view matrix current and the identity. Defined on its own, so that a
// build can link a viewer that draws with another pass.
void display();

// (Re)builds DrawFloor's buffer and culling bounds from the grids; DrawFloor
// does it on first use.
void UploadFloor();

// One line of bitmap text, baseline 10 pixels below the top edge, from x = 0.
void glutTextOut(const char *text);
