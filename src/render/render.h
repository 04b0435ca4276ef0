#pragma once
// The render subsystem as start-up and the handlers see it: the renderer
// chosen for the context, the render state set once, the projection at each
// reshape, and the frame, whichever renderer draws it.

// Picks the renderer for the current context from the user's ask and the
// context's answers, and starts it; the only place that chooses. One that
// cannot start says so in a line and the next is tried. Run once the window
// exists, before LoadTexture.
void ChooseRenderer();

// The render state every frame relies on and the start-up 45-degree
// perspective, by the renderer chosen for the context. Run once.
void InitRender();

// Viewport and square frustum for a w x h window; leaves the model-view
// matrix current and the identity.
void reshape(int w, int h);

// One frame: sky sphere, landscape, overlay, swap. Expects and leaves the
// model-view matrix current and the identity. Alone in its file, so that a
// build can link a viewer that draws with another landscape pass.
void display();

// After the context was lost and a new one made current: the renderer is
// chosen again for it and started, with the state, ramp and projection the
// last one had. The grids are rebuilt on the next frame.
void RestartRenderer();
