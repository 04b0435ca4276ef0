#pragma once
// The free-flying eye. Angles in degrees, lengths in world units (grid cells),
// speeds in world units per motion step (25 ms).

extern double xpos, ypos, zpos;  // eye position
extern double yspd;              // vertical speed; positive sinks
extern double hvel;              // forward speed along the heading; negative flies backwards
extern double alpha;             // heading about the vertical axis; 0 looks along -z, 90 along +x
extern double beta;              // pitch, -90 (straight up) .. 90 (straight down)
extern double sina, cosa;        // sin and cos of alpha, refreshed whenever alpha changes
extern int X, Y;                 // mouse drag anchor, window pixels

// Start-up values; sina and the anchor keep their zero start.
void ResetViewer();

// One motion step: sink by yspd, move hvel along the heading whatever the pitch.
void MoveViewer();

// Recomputes sina and cosa from alpha.
void SetHeading();
