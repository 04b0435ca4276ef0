// The GL context under GLX: whether it is direct, the entry points above GL
// 1.1, and pacing.
//
// Pacing keeps an indirect context from running ahead of its X server. There every
// frame goes over the X connection and nothing waits for a reply, so on a
// slow link the viewer would queue seconds of frames, and keys would show
// that late. After each swap a marker request goes out; its reply, polled for
// without blocking, says the server has drawn that frame. Only when more
// than maxahead frames are undrawn does a frame wait for the oldest. A direct
// context draws in the process and is left alone.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/glx.h>
#include <GL/glext.h>
#include <X11/Xlib-xcb.h>
#include <poll.h>
#include <sys/socket.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/glentry.h"
#include "platform/platform.h"

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

// True when DISPLAY names a host, and so is reached over TCP: not ":0",
// "unix:0" or a socket's path.
bool NamesHost(const char *display)
{
    if (!display || *display == '/')
        return false;
    const std::string name(display);
    const std::string host = name.substr(0, name.rfind(':'));
    return !host.empty() && host != "unix" && host.compare(0, 5, "unix/") != 0 &&
           name.find(':') != std::string::npos;
}

bool OverNetwork(Display *dpy)
{
    sockaddr_storage peer{};
    socklen_t len = sizeof peer;
    return getpeername(ConnectionNumber(dpy), reinterpret_cast<sockaddr *>(&peer), &len) == 0 &&
           (peer.ss_family == AF_INET || peer.ss_family == AF_INET6);
}

bool refused;  // an X error came while probing

int Refused(Display *, XErrorEvent *)
{
    refused = true;
    return 0;
}

// Makes an indirect context current on an unmapped 1 x 1 window of the
// window's kind and asks its GL version, then takes all of it down again.
bool IndirectWorks(Display *dpy)
{
    int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 1, None};
    XVisualInfo *visual = glXChooseVisual(dpy, DefaultScreen(dpy), wanted);
    if (!visual)
        return false;
    const Window root = RootWindow(dpy, visual->screen);
    XSetWindowAttributes attrs{};
    attrs.colormap = XCreateColormap(dpy, root, visual->visual, AllocNone);
    const Window win = XCreateWindow(dpy, root, 0, 0, 1, 1, 0, visual->depth, InputOutput,
                                     visual->visual, CWColormap | CWBorderPixel, &attrs);
    // A server that refuses indirect contexts answers with an error, which
    // comes in before the reply to making the context current.
    const GLXContext ctx = glXCreateContext(dpy, visual, nullptr, False);
    bool works = false;
    if (ctx && glXMakeCurrent(dpy, win, ctx)) {
        // A server whose own GL calls land nowhere (Debian 12's Xorg with
        // +iglx) takes the context but has no version to give.
        const GLubyte *version = glGetString(GL_VERSION);
        works = !glXIsDirect(dpy, ctx) && version && *version;
        glXMakeCurrent(dpy, None, nullptr);
    }
    if (ctx)
        glXDestroyContext(dpy, ctx);
    XDestroyWindow(dpy, win);
    XFreeColormap(dpy, attrs.colormap);
    XFree(visual);
    XSync(dpy, False);
    return works && !refused;
}

}  // namespace

// The GL library exports them, so they are linked as they are.
void(APIENTRY *genbuffers)(GLsizei, GLuint *) = glGenBuffers;
void(APIENTRY *bindbuffer)(GLenum, GLuint) = glBindBuffer;
void(APIENTRY *bufferdata)(GLenum, std::ptrdiff_t, const void *, GLenum) = glBufferData;
void(APIENTRY *multidraw)(GLenum, const GLint *, const GLsizei *, GLsizei) = glMultiDrawArrays;

bool LoadGlEntries()
{
    return true;
}

void ReleaseContext()
{
    if (Display *dpy = glXGetCurrentDisplay())
        glXMakeCurrent(dpy, None, nullptr);
}

bool IndirectIsBetter(int argc, char **argv)
{
    const char *display = std::getenv("DISPLAY");
    for (int k = 1; k + 1 < argc; ++k)
        if (std::strcmp(argv[k], "-display") == 0)
            display = argv[k + 1];  // freeglut takes the same
    if (std::getenv("LIBGL_ALWAYS_INDIRECT") || !NamesHost(display))
        return false;
    Display *dpy = XOpenDisplay(display);
    if (!dpy)
        return false;  // freeglut says why
    refused = false;
    XErrorHandler const before = XSetErrorHandler(Refused);
    const bool better = OverNetwork(dpy) && IndirectWorks(dpy);
    XSetErrorHandler(before);
    XCloseDisplay(dpy);
    return better;
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
