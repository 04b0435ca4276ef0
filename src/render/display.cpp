// The viewer's frame with the default landscape pass. Alone in its file so
// that a build linking its own display() (the reference-pass viewer) does not
// pull this one in.
#include <GL/freeglut_std.h>

#include "platform/platform.h"
#include "render/render.h"

void display()
{
    if constexpr (shadersonly)
        ShaderFrame();
    else if (shaderpass)
        ShaderFrame();
    else
        DrawFrame(DrawFloor);
    glutSwapBuffers();
    PaceFrame();
}
