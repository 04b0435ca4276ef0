#pragma once
// What a frame shows, made once a frame from the viewer and the projection:
// the renderers draw from it and read no viewer state. No GL here.

struct FrameView {
    float eye[3];           // eye position, world units, as the GL takes them
    float beta, alpha;      // pitch and heading, degrees, as the GL takes them
    double projection[16];  // the projection last set, column-major
    double turn[16];        // the sky's model-view: the view turned, not moved
    double view[16];        // the landscape's model-view: turned, then the eye moved to
    double clip[16];        // projection times view, which the culling tests against
    int width, height;      // the window, pixels
};

// The view of the viewer's current state, the last projection set and the
// window's size.
FrameView CurrentView();
