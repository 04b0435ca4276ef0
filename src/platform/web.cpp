// The GL context in a browser: WebGL through emscripten's GLUT, on the
// page's canvas. Files and the process are posix.cpp's, over emscripten's
// in-memory file system, where the page has put colours.txt (or not); the
// entry points are exported.cpp's.
#include <emscripten.h>

#include "platform/platform.h"

// exit() alone would leave the runtime alive while a timer is armed, and
// the timers are always armed.
void EndProgram()
{
    emscripten_force_exit(0);
}

// A browser's contexts are all its own: nothing to choose.
void ChooseContext(int, char *const *) {}

// WebGL draws in the page's own process.
bool ContextIsDirect()
{
    return true;
}

// The context belongs to the page's canvas and goes with it.
void ReleaseContext() {}

// The browser shows each frame as its callback returns, and never queues
// more than one: nothing to pace.
void StartPacing() {}

void PaceFrame() {}
