// Preloaded into the virtual X server only (never into the viewer), so that
// it can serve indirect GLX. The server's GLX module calls GL through glvnd's
// libGL, whose calls go through libGLdispatch's current table; inside the
// server nothing makes a table current, so every call would land on a no-op
// stub. This makes current a table of Mesa's own glapi entry points, which
// follow the context that the server's driver makes current.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

// libGLdispatch's thread-state record; the tag must not be libGLX's (0).
struct ThreadState {
    int tag;
    void (*destroyed)(ThreadState *);
    void *priv;
};
constexpr int servertag = 0x5e7;
ThreadState state{servertag, nullptr, nullptr};

void *(*glapiproc)(const char *);  // Mesa's _glapi_get_proc_address

void *Lookup(const char *name, void *)
{
    return glapiproc(name);
}

template <typename F>
F Find(void *lib, const char *name)
{
    return lib ? reinterpret_cast<F>(dlsym(lib, name)) : nullptr;
}

struct MakeServerGLCurrent {
    MakeServerGLCurrent()
    {
        unsetenv("LD_PRELOAD");  // not for the server's children (xkbcomp)
        void *dispatch = dlopen("libGLdispatch.so.0", RTLD_NOW | RTLD_GLOBAL);
        void *glapi = dlopen("libglapi.so.0", RTLD_NOW | RTLD_GLOBAL);
        const auto init = Find<void (*)()>(dispatch, "__glDispatchInit");
        const auto vendor = Find<int (*)()>(dispatch, "__glDispatchNewVendorID");
        const auto create =
            Find<void *(*)(void *(*)(const char *, void *), void *)>(dispatch, "__glDispatchCreateTable");
        const auto makecurrent = Find<unsigned char (*)(ThreadState *, void *, int, const void *)>(
            dispatch, "__glDispatchMakeCurrent");
        glapiproc = Find<void *(*)(const char *)>(glapi, "_glapi_get_proc_address");
        if (!init || !vendor || !create || !makecurrent || !glapiproc) {
            std::fprintf(stderr, "serverglx: no libGLdispatch or libglapi entry points\n");
            return;
        }
        init();
        void *table = create(Lookup, nullptr);
        if (!table || !makecurrent(&state, table, vendor(), nullptr))
            std::fprintf(stderr, "serverglx: could not make a dispatch table current\n");
    }
} makeservercurrent;

}  // namespace
