#pragma once
// The 4 x 4 matrices the frame is drawn with, made as the GL makes them,
// column-major as it keeps them, so that culling and the shader renderer
// use the very numbers the fixed-function pipeline multiplies. No GL here.

constexpr double degree = 3.14159265358979323846 / 180;  // radians

// glFrustum's arguments: left, right, bottom, top, near, far.
struct Frustum {
    double left, right, bottom, top, znear, zfar;
};

// The matrices glFrustum and gluPerspective multiply in. fovy in degrees.
void FrustumMatrix(const Frustum &f, double out[16]);
void PerspectiveMatrix(double fovy, double aspect, double znear, double zfar, double out[16]);

// The matrix gluOrtho2D multiplies in: near -1, far 1.
void Ortho2DMatrix(double left, double right, double bottom, double top, double out[16]);

// The frame's model-view matrix where the landscape is drawn: pitch beta
// about x, then heading alpha about y (degrees), then the eye at the
// origin. Single-precision inputs, as the frame hands them to the GL.
void ViewMatrix(float beta, float alpha, const float eye[3], double out[16]);

// Combined clip matrix: out = proj * model.
void ClipMatrix(const double proj[16], const double model[16], double out[16]);
