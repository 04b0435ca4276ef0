// The landscape pass for the context, chosen once.
#include <GL/gl.h>

#include "platform/platform.h"
#include "render/fixed/fixed.h"
#include "render/fixed/landscape.h"

LandscapePath landscapepath = LandscapePath::lists;  // GL 1.1 until ChooseLandscapePass knows better

// Buffers also need their entry points, which a GL may not give.
void ChooseLandscapePass()
{
    landscapepath = ChooseLandscapePath(reinterpret_cast<const char *>(glGetString(GL_VERSION)), ContextIsDirect());
    if (landscapepath == LandscapePath::buffers && !LoadGlEntries())
        landscapepath = LandscapePath::lists;
}

void DrawLandscape(const FrameView &view)
{
    if (landscapepath == LandscapePath::buffers)
        BufferLandscape(view);
    else
        ListLandscape(view);
}
