#pragma once
// A renderer: a way of drawing the frame, as the render subsystem calls it.
// Each draws the same picture from the scene (scene/) with GL calls of its
// own, from its own folder: fixed/ with the fixed-function pipeline,
// shaders/ with GLSL programs. The chooser picks one per context; start-up,
// display and reshape call it through `renderer`, and nothing else asks
// which one runs.
struct FrameView;
struct Frustum;
struct Ramp;

struct Renderer {
    // Makes what it needs on the current context (entry points, programs,
    // names); false, having printed nothing, where it cannot. Before the ramp.
    bool (*start)();
    // The render state every frame relies on, set once: init's last step.
    void (*state)();
    // Uploads the colour ramp; null, with no GL call, when there is none or
    // the GL refused it: the landscape is then drawn without.
    void (*ramp)(const Ramp *ramp);
    // At each reshape, after the viewport: the projection f.
    void (*projection)(const Frustum &f);
    // Everything of a frame but the swap.
    void (*frame)(const FrameView &view);
    // Forgets every GL object it made, once its context is gone.
    void (*lost)();
};

extern const Renderer fixedrenderer;   // fixed/
extern const Renderer shaderrenderer;  // shaders/
extern const Renderer *renderer;       // the one drawing; set by ChooseRenderer

// Draws with r from now on, and hands it the ramps LoadTexture reads.
void UseRenderer(const Renderer &r);

// Uploads the last ramp LoadTexture read to the renderer in use; where the
// GL refuses it, says so in one line and has it draw without.
void UploadRamp();
