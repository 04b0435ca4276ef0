#pragma once
// The fixed-function renderer: the frame as the GL 1.1 pipeline draws it,
// with the landscape from the pass the context suits best. Its passes are
// here for the tests and the benchmark, which draw each one.
struct FrameView;
struct Frustum;
struct Ramp;

constexpr unsigned ramptexture = 1;  // the ramp's texture name; never generated

// A way of sending the landscape's strips, inside the frame's matrices.
using LandscapePass = void (*)(const FrameView &view);

// Everything of a frame but the swap, with the landscape drawn by pass.
void DrawFrame(const FrameView &view, LandscapePass pass);

// The renderer's frame: DrawFrame with the pass chosen for the context.
void FixedFrame(const FrameView &view);

// The landscape as its strips in immediate mode: the reference pass.
void MakeFloor();
void ImmediateLandscape(const FrameView &view);  // MakeFloor, as a pass

// The same strips from a buffer object, skipping pieces outside the view.
// Needs GL 1.5 and a direct context.
void BufferLandscape(const FrameView &view);

// The same strips from display lists, skipping segments outside the view.
// Needs GL 1.1; draws with MakeFloor where the GL gives no list names.
void ListLandscape(const FrameView &view);

// Chooses the pass for the current context from its GL_VERSION and
// directness: BufferLandscape where it can, else ListLandscape.
void ChooseLandscapePass();

// The pass chosen for the context.
void DrawLandscape(const FrameView &view);

// Every pass forgets its GL objects, after its context is gone.
void ForgetLandscape();

// One line of bitmap text in a window of width x height pixels, baseline 10
// pixels below the top edge, from x = 0.
void glutTextOut(const char *text, int width, int height);

// Smoothing, culling, fog, light 0, depth test, clear colour and the
// start-up 45-degree perspective.
void InitFixedState();

// The projection f, then the model-view matrix current and the identity.
void FixedProjection(const Frustum &f);

// The ramp as texture ramptexture: a 1D texture of the samples as floats.
void UploadRamp1D(const Ramp *ramp);
