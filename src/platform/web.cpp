// The GL context in a browser: WebGL through emscripten's GLUT, on the
// page's canvas. Files and the process are posix.cpp's, over emscripten's
// in-memory file system, where the page has put colours.txt (or not); the
// entry points are exported.cpp's.
#include <emscripten.h>
#include <emscripten/html5.h>

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

namespace {

void (*pending)();  // the frame asked for and not yet drawn; null when none

EM_BOOL Animate(double, void *)
{
    void (*draw)() = pending;
    pending = nullptr;
    draw();
    return EM_FALSE;
}

}  // namespace

// A frame drawn from a timer would go to the browser whether or not it has
// shown the last one; a hidden page's animation frames wait until it shows.
void RequestFrame(void (*draw)())
{
    if (!pending)
        emscripten_request_animation_frame(Animate, nullptr);
    pending = draw;
}

// The browser shows each frame as its animation frame ends, and never
// queues more than one: nothing more to pace.
void StartPacing() {}

void PaceFrame() {}
