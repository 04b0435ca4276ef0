// Preloaded into the real viewer by tests and the benchmark: counts the
// frames it presents, so that they can wait for frames rather than for a
// fixed time. The count is rewritten, as decimal text, into the file named by
// VELLMOOR_FRAMES after every buffer swap. It also counts the calls into
// buffer objects and multi-draw (GL 1.5 and 1.4), written after each swap to
// the file named by VELLMOOR_BUFFERCALLS, for tests of contexts without them;
// and the least and greatest delays handed to glutTimerFunc for each of the
// first two callbacks armed (the viewer arms motion, then redraw), written
// after each swap as "motion least greatest redraw least greatest" to the
// file named by VELLMOOR_TIMERS. The X replies waited for so far go after
// each swap to the file named by VELLMOOR_REPLIES, the GLX contexts the
// viewer made itself to VELLMOOR_CONTEXTS; VELLMOOR_TIME, if set, is
// what time() answers, so that two viewers build the same landscape.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/glx.h>
#include <GL/glext.h>
#include <GL/freeglut.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>
#include <xcb/glx.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

unsigned long buffercalls;  // calls of the wrapped GL 1.4 and 1.5 entry points so far
unsigned long replies;      // X replies waited for so far (each a round trip)
unsigned long contexts;     // GLX contexts made in GLX's protocol (the remote question)

struct Timer {
    void (*callback)(int);  // null until armed
    unsigned least, most;   // delays it was armed with, ms
};
Timer timers[2];  // the first two callbacks armed, in order

int CountFile(const char *variable)
{
    const char *path = getenv(variable);
    return path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
}

void Put(int fd, unsigned long n)
{
    if (fd < 0)
        return;
    char text[32];
    const int len = std::snprintf(text, sizeof text, "%lu\n", n);
    if (pwrite(fd, text, std::size_t(len), 0) != len)
        return;  // the count only stops; the viewer goes on
}

template <typename F>
F Next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

void glXSwapBuffers(Display *dpy, GLXDrawable drawable)
{
    static const auto real = Next<void (*)(Display *, GLXDrawable)>("glXSwapBuffers");
    static const int frames = CountFile("VELLMOOR_FRAMES");
    static const int buffers = CountFile("VELLMOOR_BUFFERCALLS");
    static const int waits = CountFile("VELLMOOR_REPLIES");
    static const int made = CountFile("VELLMOOR_CONTEXTS");
    static unsigned long presented;
    real(dpy, drawable);
    static const int delays = CountFile("VELLMOOR_TIMERS");
    Put(frames, ++presented);
    Put(buffers, buffercalls);
    Put(waits, replies);
    Put(made, contexts);
    if (delays < 0)
        return;
    char text[96];
    const int len = std::snprintf(text, sizeof text, "%u %u %u %u\n", timers[0].least,
                                  timers[0].most, timers[1].least, timers[1].most);
    // The new line first, then the old one's tail cut: a reader always finds a whole line.
    if (pwrite(delays, text, std::size_t(len), 0) != len || ftruncate(delays, len) != 0)
        return;
}

xcb_void_cookie_t xcb_glx_create_context_checked(xcb_connection_t *c, xcb_glx_context_t context,
                                                 xcb_visualid_t visual, uint32_t screen,
                                                 xcb_glx_context_t share, uint8_t direct)
{
    static const auto real = Next<xcb_void_cookie_t (*)(xcb_connection_t *, xcb_glx_context_t, xcb_visualid_t,
                                                        uint32_t, xcb_glx_context_t, uint8_t)>(
        "xcb_glx_create_context_checked");
    ++contexts;
    return real(c, context, visual, screen, share, direct);
}

void glutTimerFunc(unsigned msecs, void (*callback)(int), int value)
{
    static const auto real = Next<void (*)(unsigned, void (*)(int), int)>("glutTimerFunc");
    for (Timer &t : timers) {
        if (!t.callback)
            t = {callback, msecs, msecs};
        if (t.callback == callback) {
            t.least = msecs < t.least ? msecs : t.least;
            t.most = msecs > t.most ? msecs : t.most;
            break;
        }
    }
    real(msecs, callback, value);
}

void glGenBuffers(GLsizei n, GLuint *names)
{
    static const auto real = Next<void (*)(GLsizei, GLuint *)>("glGenBuffers");
    ++buffercalls;
    real(n, names);
}

void glBindBuffer(GLenum target, GLuint name)
{
    static const auto real = Next<void (*)(GLenum, GLuint)>("glBindBuffer");
    ++buffercalls;
    real(target, name);
}

void glBufferData(GLenum target, GLsizeiptr size, const void *data, GLenum usage)
{
    static const auto real = Next<void (*)(GLenum, GLsizeiptr, const void *, GLenum)>("glBufferData");
    ++buffercalls;
    real(target, size, data, usage);
}

void glMultiDrawArrays(GLenum mode, const GLint *first, const GLsizei *count, GLsizei n)
{
    static const auto real =
        Next<void (*)(GLenum, const GLint *, const GLsizei *, GLsizei)>("glMultiDrawArrays");
    ++buffercalls;
    real(mode, first, count, n);
}

// Xlib and the GLX client wait for every reply through one of these.
void *xcb_wait_for_reply(xcb_connection_t *c, unsigned request, xcb_generic_error_t **e)
{
    static const auto real =
        Next<void *(*)(xcb_connection_t *, unsigned, xcb_generic_error_t **)>("xcb_wait_for_reply");
    ++replies;
    return real(c, request, e);
}

void *xcb_wait_for_reply64(xcb_connection_t *c, uint64_t request, xcb_generic_error_t **e)
{
    static const auto real =
        Next<void *(*)(xcb_connection_t *, uint64_t, xcb_generic_error_t **)>("xcb_wait_for_reply64");
    ++replies;
    return real(c, request, e);
}

time_t time(time_t *t)
{
    static const auto real = Next<time_t (*)(time_t *)>("time");
    const char *fixed = getenv("VELLMOOR_TIME");
    if (!fixed)
        return real(t);
    const time_t now = time_t(std::strtoll(fixed, nullptr, 10));
    if (t)
        *t = now;
    return now;
}

}  // extern "C"
