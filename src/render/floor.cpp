// The landscape pass for the context, chosen once.
#include <GL/gl.h>
#include <GL/glx.h>

#include "render/render.h"

FloorPath floorpath = FloorPath::lists;  // GL 1.1 until ChooseFloor knows better

void ChooseFloor()
{
    Display *dpy = glXGetCurrentDisplay();
    const GLXContext ctx = glXGetCurrentContext();
    const bool direct = dpy && ctx && glXIsDirect(dpy, ctx);
    floorpath = ChooseFloorPath(reinterpret_cast<const char *>(glGetString(GL_VERSION)), direct);
}

void DrawFloor()
{
    if (floorpath == FloorPath::buffers)
        BufferFloor();
    else
        ListFloor();
}
