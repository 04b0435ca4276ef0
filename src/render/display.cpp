// The viewer's frame, by the renderer in use. Alone in its file so that a
// build linking its own display() (the reference-pass viewer) does not pull
// this one in.
#include <GL/freeglut_std.h>

#include "platform/platform.h"
#include "render/backend.h"
#include "render/render.h"
#include "render/scene/view.h"

void display()
{
    renderer->frame(CurrentView());
    glutSwapBuffers();
    PaceFrame();
}
