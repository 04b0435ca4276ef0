// Linked into vellmoor_immediate ahead of the library's display(): the real
// viewer drawing its landscape with the immediate reference pass, for
// frame-rate comparisons.
#include <GL/freeglut.h>

#include "platform/platform.h"
#include "render/fixed/fixed.h"
#include "render/scene/view.h"

void display()
{
    DrawFrame(CurrentView(), ImmediateLandscape);
    glutSwapBuffers();
    PaceFrame();
}
