#pragma once
// What needs the operating or the window system, behind one small interface
// with one implementation per system: posix.cpp, glx.cpp and remote.cpp on
// Linux and other X11 systems, windows.cpp on Windows, posix.cpp and web.cpp
// in a browser. Nothing else includes a system header.
#include <memory>
#include <streambuf>

// First thing in main: standard input, output and error open on something, a
// lost reader of standard output harmless, the allocator tuned for frames.
void PrepareProcess();

// A file opened for reading, or what stood in its way.
struct OpenedFile {
    std::unique_ptr<std::streambuf> in;  // null when not opened
    const char *kind;  // when the path is there but no regular file: what it is ("a directory")
};

// Opens path for reading only if it is a regular file (or a link to one),
// without ever blocking: a FIFO without a writer must not hang start-up.
OpenedFile OpenRegularFile(const char *path);

// Before the window exists, from the command line the toolkit got (-display):
// true when the window's GL context should draw in the X server, not in this
// process. Only when the user has left it to us (LIBGL_ALWAYS_INDIRECT
// unset), the display is reached over the network, as ssh -X forwards it,
// and its server makes an indirect context current with a working GL; each
// frame then goes as a few kB of GL calls, not as an image. A local display
// is not asked.
// X11 only.
bool IndirectIsBetter(int argc, char *const *argv);

// After glutInit, before the window exists: has the toolkit make an indirect
// context where IndirectIsBetter says so. Other systems' contexts are direct.
void ChooseContext(int argc, char *const *argv);

// Ends the program with status 0, its exit handlers run; in a browser, with
// the timers it has armed.
void EndProgram();

// True when the current GL context draws in this process (not over the X
// connection); false without a context.
bool ContextIsDirect();

// Makes no GL context current: the driver flushes what it holds.
void ReleaseContext();

// Fetches the GL 1.4 and 1.5 entry points that the buffer pass calls (see
// glentry.h), once a context is current; false if any is missing.
bool LoadGlEntries();

// The same for the shader pass (GL 2.0, and the buffer calls).
bool LoadShaderEntries();

// True when the user asked for the shader pass (VELLMOOR_SHADERS=1 in the
// environment); the web build always draws with it.
bool ShadersAsked();

// On an indirect context, from the current one: frames are paced so that at
// most a few are sent and not yet drawn by the X server. Run once.
void StartPacing();

// After each swap: waits only if the X server has too many frames undrawn.
// Does nothing on a direct context.
void PaceFrame();
