#pragma once
// Window and projection numbers, kept apart from GL so the controls can change
// them and tests can check them without a display.

extern int currW, currH;  // window size in pixels, updated on every reshape
extern double plane;      // projection scale; near = 0.8 plane, far = 40 / plane
extern double projmatrix[16];  // the projection last given to the GL, column-major; set beside it

constexpr double degree = 3.14159265358979323846 / 180;  // radians

// glFrustum arguments for a scale: left, right, bottom, top, near, far.
// Square whatever the window: the opening is about 96.7 degrees both ways.
struct Frustum {
    double left, right, bottom, top, znear, zfar;
};
Frustum FrustumFor(double scale);

// The matrices glFrustum and gluPerspective multiply in, column-major as the
// GL keeps them. fovy in degrees.
void FrustumMatrix(const Frustum &f, double out[16]);
void PerspectiveMatrix(double fovy, double aspect, double znear, double zfar, double out[16]);

// The matrix gluOrtho2D multiplies in: near -1, far 1.
void Ortho2DMatrix(double left, double right, double bottom, double top, double out[16]);

// True when glFrustum takes the frustum of this scale without an error:
// finite, positive and distinct near and far planes in single precision.
bool FrustumUsable(double scale);
