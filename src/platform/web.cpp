// The GL context in a browser: WebGL through emscripten's GLUT, on the
// page's canvas. Files and the process are posix.cpp's, over emscripten's
// in-memory file system, where the page has put colours.txt (or not); the
// entry points are exported.cpp's; that no context is chosen and no frame
// paced, direct.cpp's.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <initializer_list>

#include "platform/platform.h"

// WebGL draws in the page's own process.
bool ContextIsDirect()
{
    return true;
}

// The context belongs to the page's canvas and goes with it.
void ReleaseContext() {}

namespace {

void (*pending)();     // the frame asked for and not yet drawn; null when none
void (*drawing)();     // what draws a frame, once one was asked for
void (*restarting)();  // what starts the renderer on a context given back
bool paused;           // by the page's pause button
bool owed;             // a frame the page asked for before the first was due

bool ContextLive()
{
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE c = emscripten_webgl_get_current_context();
    return c && !emscripten_is_webgl_context_lost(c);
}

// Draws only on a context there is, and for a run that goes on; tells the
// page that a frame was drawn.
EM_BOOL Animate(double, void *)
{
    void (*draw)() = pending;
    pending = nullptr;
    if (!draw || !ContextLive())
        return EM_FALSE;
    draw();
    EM_ASM({ if (Module.onFrame) Module.onFrame(); });
    return EM_FALSE;
}

void Ask(void (*draw)())
{
    if (!pending)
        emscripten_request_animation_frame(Animate, nullptr);
    pending = draw;
}

// Work between frames of the page: a slice of a slow phone's 50 ms, which it
// takes four times as long over.
constexpr double slice = 8;  // ms
// Steps at most between frames, so that a fast machine too shows the
// spinner turn: one more than a whole number of turns of four marks.
constexpr int moststeps = 97;
double sliced = emscripten_get_now();  // when the page last drew, or the program started; ms
int turned;  // marks the spinner turned since

}  // namespace

extern "C" void NextPageFrame();  // webwait.js

void YieldToPage(int marks)
{
    ++turned;
    if (turned % marks != 1 % marks || (emscripten_get_now() - sliced < slice && turned < moststeps))
        return;
    NextPageFrame();
    sliced = emscripten_get_now();
    turned = 0;
}

// exit() alone would leave the runtime alive while a timer is armed, and
// the timers are always armed. An animation frame already asked for still
// comes, and draws nothing.
void EndProgram()
{
    pending = drawing = nullptr;
    emscripten_force_exit(0);
}

// A frame drawn from a timer would go to the browser whether or not it has
// shown the last one; a hidden page's animation frames wait until it shows.
// A paused page draws only when the page asks (DrawAgain).
void RequestFrame(void (*draw)())
{
    drawing = draw;
    if (!paused || owed)
        Ask(draw);
    owed = false;
}

bool Paused()
{
    return paused;
}

void OnContextRestored(void (*restart)())
{
    restarting = restart;
}

// The page downloads the file under its own name and removes it from the
// program's in-memory files.
void Offer(const std::string &path, const char *)
{
    EM_ASM({ if (Module.onOffer) Module.onOffer(UTF8ToString($0)); }, path.c_str());
}

void ReportRamp(bool drawn)
{
    EM_ASM({ Module.rampDrawn = !!$0; }, drawn);
}

// Called by the page (web/page.js, web/view.js).
extern "C" {

// The page ends a run as Escape does, before it starts another.
EMSCRIPTEN_KEEPALIVE void EndRun()
{
    EndProgram();
}

EMSCRIPTEN_KEEPALIVE void PausePage(int on)
{
    paused = on != 0;
}

// One frame in the next animation frame, paused or not: the canvas was
// resized (and so cleared), or the run has just started.
EMSCRIPTEN_KEEPALIVE void DrawAgain()
{
    if (drawing)
        Ask(drawing);
    else
        owed = true;
}

// The extensions the renderer may use, on a new context (webglut.js makes
// the window's with none on) and on one given back, which has none on.
EMSCRIPTEN_KEEPALIVE void EnableExtensions()
{
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE c = emscripten_webgl_get_current_context();
    for (const char *name : {"WEBGL_multi_draw", "OES_element_index_uint"})
        emscripten_webgl_enable_extension(c, name);
}

EMSCRIPTEN_KEEPALIVE void ContextRestored()
{
    EnableExtensions();
    if (restarting)
        restarting();
    DrawAgain();
}

}  // extern "C"
