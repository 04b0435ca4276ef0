// Preloaded into the real viewer by tests and the benchmark: counts the
// frames it presents, so that they can wait for frames rather than for a
// fixed time. The count is rewritten, as decimal text, into the file named by
// VELLMOOR_FRAMES after every buffer swap.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

using Swap = void (*)(Display *, GLXDrawable);

int CountFile()
{
    const char *path = getenv("VELLMOOR_FRAMES");
    return path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
}

}  // namespace

extern "C" void glXSwapBuffers(Display *dpy, GLXDrawable drawable)
{
    static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const int fd = CountFile();
    static unsigned long frames;  // presented so far
    real(dpy, drawable);
    if (fd < 0)
        return;
    char text[32];
    const int len = std::snprintf(text, sizeof text, "%lu\n", ++frames);
    if (pwrite(fd, text, std::size_t(len), 0) != len)
        return;  // the count only stops; the viewer goes on
}
