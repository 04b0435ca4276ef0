// The GL context under GLX: which to make, whether it is direct, and pacing.
//
// Pacing keeps an indirect context from running ahead of its X server. There every
// frame goes over the X connection and nothing waits for a reply, so on a
// slow link the viewer would queue seconds of frames, and keys would show
// that late. After each swap a marker request goes out; its reply, polled for
// without blocking, says the server has drawn that frame. Only when more
// than maxahead frames are undrawn does a frame wait for the oldest. A direct
// context draws in the process and is left alone.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <GL/glext.h>
#include <X11/Xlib-xcb.h>
#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdlib>

#include "platform/platform.h"
#include "platform/x11.h"

namespace {

constexpr int maxahead = 8;       // frames; a 100 ms round trip at 50 a second is 5
constexpr int pollms = 1000;      // longest single sleep while waiting, ms
xcb_connection_t *paceconn;       // the indirect context's connection; null when direct
unsigned marks[maxahead];         // sequence numbers of the undrawn frames' markers, oldest first
int undrawn;                      // how many of marks are in use

// True once the marker's reply (or the connection's end) is in; with wait,
// sleeps on the connection until it is.
bool Drawn(unsigned mark, bool wait)
{
    for (;;) {
        void *reply = nullptr;
        xcb_generic_error_t *error = nullptr;
        if (xcb_poll_for_reply(paceconn, mark, &reply, &error)) {
            std::free(reply);
            std::free(error);
            return true;
        }
        if (!wait)
            return false;
        if (xcb_connection_has_error(paceconn))
            return true;  // nothing more will come
        pollfd p{xcb_get_file_descriptor(paceconn), POLLIN, 0};
        poll(&p, 1, pollms);
    }
}

void DropOldest()
{
    for (int k = 1; k < undrawn; ++k)
        marks[k - 1] = marks[k];
    --undrawn;
}

}  // namespace

void EndProgram()
{
    std::exit(0);
}

// An indirect context is the toolkit's to make.
void ChooseContext(int argc, char *const *argv)
{
    if (IndirectIsBetter(argc, argv))
        glutSetOption(GLUT_DIRECT_RENDERING, GLUT_FORCE_INDIRECT_CONTEXT);
}

void ReleaseContext()
{
    if (Display *dpy = glXGetCurrentDisplay())
        glXMakeCurrent(dpy, None, nullptr);
}

bool ContextIsDirect()
{
    Display *dpy = glXGetCurrentDisplay();
    const GLXContext ctx = glXGetCurrentContext();
    return dpy && ctx && glXIsDirect(dpy, ctx);
}

void StartPacing()
{
    Display *dpy = glXGetCurrentDisplay();
    paceconn = dpy && glXGetCurrentContext() && !ContextIsDirect() ? XGetXCBConnection(dpy) : nullptr;
    undrawn = 0;
}

void PaceFrame()
{
    if (!paceconn)
        return;
    while (undrawn > 0 && Drawn(marks[0], false))
        DropOldest();
    if (undrawn == maxahead) {
        Drawn(marks[0], true);
        DropOldest();
    }
    marks[undrawn++] = xcb_get_input_focus(paceconn).sequence;
    xcb_flush(paceconn);
}
