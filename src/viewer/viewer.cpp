#include "viewer/viewer.h"

#include <cmath>

double xpos, ypos, zpos;  // world units
double yspd;              // world units per step, positive down
double hvel;              // world units per step
double alpha;             // degrees, unbounded
double beta;              // degrees, clamped by the mouse drag
double sina, cosa;        // of alpha
int X, Y;                 // pixels

void ResetViewer()
{
    alpha = 0;
    beta = 0;
    cosa = 1;
    xpos = 0;
    ypos = 0.5;
    zpos = 0;
    yspd = 0;
    hvel = 0;
}

void MoveViewer()
{
    ypos = ypos - yspd;
    xpos = xpos + hvel * sina;
    zpos = zpos - hvel * cosa;
}

void SetHeading()
{
    const double rad = alpha * 3.141592653589793 / 180;
    sina = std::sin(rad);
    cosa = std::cos(rad);
}
