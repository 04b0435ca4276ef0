#pragma once
// The views that the pass comparison and the benchmark both draw.

struct View {
    const char *name;
    double x, y, z;     // eye position, world units
    double alpha, beta; // heading and pitch, degrees
    int pageup, pagedown;  // presses of each page key from the start scale
};

extern const View views[];
extern const int viewcount;

// Puts the viewer and the projection where the view says (window 500 x 500).
void ApplyView(const View &view);
