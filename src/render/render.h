#pragma once
// Fixed render state, projection, frames and the text overlay.
#include "render/passchoice.h"

extern FloorPath floorpath;  // the landscape pass for this context, chosen by InitRender
extern bool shaderpass;      // frames drawn by the shader pass; chosen by ChooseShaders

// A build for a GL with no fixed-function pipeline (WebGL) has the shader
// pass alone: the other passes are not linked, and where this is true the
// branches that call them are discarded at compile time.
#ifdef VELLMOOR_SHADERS_ONLY
constexpr bool shadersonly = true;
#else
constexpr bool shadersonly = false;
#endif

// Light 0, set once at start-up under the identity model-view matrix, so in
// eye coordinates: a white point light 100 units above the eye.
extern const float light_position[4];
extern const float light_ambient[4];  // also the fog colour
extern const float light_diffuse[4];
extern const float light_specular[4];
constexpr float fogdensity = 0.0005f;  // GL_EXP2, per world unit
extern const float clearcolour[4];     // RGBA
extern const float skycolour[3];       // the current colour the sky sets; the untextured ground keeps it
constexpr double skyradius = 10;       // world units, centred on the eye
constexpr int skyslices = 5, skystacks = 5;
constexpr float skytilt = 90;          // degrees about x: the sphere's poles on the view's up axis
constexpr const char *overlaytext = "Testing";
// The start-up perspective, until the toolkit's first reshape: field of view
// in degrees, aspect, near and far planes.
constexpr double startfovy = 45, startaspect = 1.0, startnear = double(0.1f), startfar = 100;

// Where the user asked for shaders (VELLMOOR_SHADERS=1) and the context
// compiles them, sets shaderpass; where it cannot, says so in one line and
// leaves the fixed-function passes. Run once, before the ramp is loaded.
void ChooseShaders();

// Fixed state for every frame: smoothing, culling, fog, light 0, depth test,
// clear colour and the start-up 45-degree perspective; then the landscape
// pass for the context. Run once.
void InitRender();

// InitRender's part for the fixed-function passes: all of the above, the
// landscape pass chosen last.
void InitFixedState();

// reshape's part for them: f as the projection matrix, then the model-view
// matrix current and the identity.
struct Frustum;
void FixedProjection(const Frustum &f);

// Has the current GL context released as the process exits, before any exit
// handler registered until now runs. Run once, once the first window exists.
void ReleaseAtExit();

// Sets floorpath from the current context's GL_VERSION and directness.
void ChooseFloor();

// Viewport and square frustum for a w x h window; leaves the model-view
// matrix current and the identity.
void reshape(int w, int h);

// The landscape as its strips in immediate mode: the reference pass.
void MakeFloor();

// The same strips from a buffer object, skipping pieces outside the view.
// Needs GL 1.5 and a direct context.
void BufferFloor();

// The same strips from display lists, skipping segments outside the view.
// Needs GL 1.1; draws with MakeFloor where the GL gives no list names.
void ListFloor();

// The pass chosen for the context: BufferFloor or ListFloor.
void DrawFloor();

// Everything of a frame but the swap, for readers of the back buffer, with
// the landscape drawn by the given pass.
void DrawFrame(void (*pass)() = DrawFloor);

// Everything of a frame but the swap, drawn by the shader pass: the same
// sky, culled landscape and overlay, from OpenGL ES 2.0 calls only.
void ShaderFrame();

// One frame: sky sphere, landscape, overlay, swap. Expects and leaves the
// model-view matrix current and the identity. Defined on its own, so that a
// build can link a viewer that draws with another pass.
void display();

// Tells the passes that the grids have changed: each rebuilds its copy in
// the GL and its culling bounds on its next draw (and on its first).
void UploadFloor();

// One line of bitmap text, baseline 10 pixels below the top edge, from x = 0.
void glutTextOut(const char *text);
