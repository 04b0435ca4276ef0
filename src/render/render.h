#pragma once
// The render subsystem as start-up and the handlers see it: the render state
// set once, the projection at each reshape, and the frame, whichever
// renderer draws it (renderer.h). The numbers below are the fixed render
// state's, which every renderer draws with.

// Light 0, set once at start-up under the identity model-view matrix, so in
// eye coordinates: a white point light 100 units above the eye.
extern const float light_position[4];
extern const float light_ambient[4];  // also the fog colour
extern const float light_diffuse[4];
extern const float light_specular[4];
constexpr float fogdensity = 0.0005f;  // GL_EXP2, per world unit
extern const float clearcolour[4];     // RGBA
extern const float skycolour[3];       // the current colour the sky sets; the untextured landscape keeps it
constexpr double skyradius = 10;       // world units, centred on the eye
constexpr int skyslices = 5, skystacks = 5;
constexpr float skytilt = 90;          // degrees about x: the sphere's poles on the view's up axis
constexpr const char *overlaytext = "Testing";
// The start-up perspective, until the toolkit's first reshape: field of view
// in degrees, aspect, near and far planes.
constexpr double startfovy = 45, startaspect = 1.0, startnear = double(0.1f), startfar = 100;

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
