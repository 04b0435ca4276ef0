// The GL context in a browser: WebGL through emscripten's GLUT, on the
// page's canvas. Files and the process are posix.cpp's, over emscripten's
// in-memory file system, where the page has put colours.txt (or not).
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <emscripten.h>

#include "platform/glentry.h"
#include "platform/platform.h"

// Emscripten's GL library has them all (WebGL 1 and its extensions).
#define VELLMOOR_EXPORTED_ENTRY(pointer, name, result, parameters) result(APIENTRY *pointer) parameters = name;
VELLMOOR_BUFFER_ENTRIES(VELLMOOR_EXPORTED_ENTRY)
VELLMOOR_SHADER_ENTRIES(VELLMOOR_EXPORTED_ENTRY)
#undef VELLMOOR_EXPORTED_ENTRY

// WebGL has no fixed-function pipeline: the shader pass is the only one.
bool ShadersAsked()
{
    return true;
}

bool LoadShaderEntries()
{
    return true;
}

// exit() alone would leave the runtime alive while a timer is armed, and
// the timers are always armed.
void EndProgram()
{
    emscripten_force_exit(0);
}

// A browser's contexts are all its own: nothing to choose.
void ChooseContext(int, char *const *) {}

// The context belongs to the page's canvas and goes with it.
void ReleaseContext() {}

// The browser shows each frame as its callback returns, and never queues
// more than one: nothing to pace.
void StartPacing() {}

void PaceFrame() {}
