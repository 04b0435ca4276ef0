// The landscape pass for the context, chosen once.
#include <GL/gl.h>

#include "platform/platform.h"
#include "render/render.h"

FloorPath floorpath = FloorPath::lists;  // GL 1.1 until ChooseFloor knows better

// Buffers also need their entry points, which a GL may not give.
void ChooseFloor()
{
    floorpath = ChooseFloorPath(reinterpret_cast<const char *>(glGetString(GL_VERSION)), ContextIsDirect());
    if (floorpath == FloorPath::buffers && !LoadGlEntries())
        floorpath = FloorPath::lists;
}

void DrawFloor()
{
    if (floorpath == FloorPath::buffers)
        BufferFloor();
    else
        ListFloor();
}
