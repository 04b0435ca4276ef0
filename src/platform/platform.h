#pragma once
// What needs the operating or the window system, behind one small interface
// that every system implements: posix.cpp, glx.cpp, remote.cpp, exported.cpp
// and windowed.cpp on Linux and other X11 systems, windows.cpp, windowed.cpp
// and direct.cpp on Windows (nowait.cpp on both), posix.cpp, web.cpp,
// exported.cpp and direct.cpp in a browser. Nothing else includes a system
// header.
#include <cstdlib>
#include <memory>
#include <streambuf>
#include <string>

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

// Writes size bytes to path whole, or not at all: into a new file beside it,
// renamed over it once complete, so that an older file of that name stays as
// it was until then. Empty on success; otherwise why not, with no file
// written and none left behind.
std::string WriteWhole(const std::string &path, const void *bytes, std::size_t size);

// The path in full, from the working folder.
std::string FullPath(const std::string &path);

// Tells the user where the program has written a file for them: one line on
// standard error naming it in full; in a browser, the page downloads it.
void Offer(const std::string &path, const char *what);

// After glutInit, before the window exists, from the command line the
// toolkit got: has the toolkit make an indirect context where that draws
// better (X11, over ssh -X). Other systems' contexts are direct.
void ChooseContext(int argc, char *const *argv);

// Ends the program with status 0, its exit handlers run; in a browser, with
// the timers it has armed.
void EndProgram();

// True when the current GL context draws in this process (not over the X
// connection); false without a context.
bool ContextIsDirect();

// Makes no GL context current: the driver flushes what it holds.
void ReleaseContext();

// Has the current GL context released as the process exits, before any exit
// handler registered until now runs. Run once, once the first window exists.
// The GL driver's own libraries (LLVM's, under llvmpipe) load with the first
// window and register their destructors then, after glutInit registered the
// toolkit's exit handler. Exit handlers run in reverse order, so that handler
// would release the context after those libraries are torn down, and the
// driver's last flush, which may compile, would run in them. One registered
// now releases it first; the toolkit's still tears everything down.
inline void ReleaseAtExit()
{
    std::atexit(ReleaseContext);
}

// Fetches the GL 1.4 and 1.5 entry points that the fixed-function
// renderer's buffer pass calls (see glentry.h), once a context is current;
// false if any is missing.
bool LoadGlEntries();

// The same for the shader renderer (GL 2.0, and the buffer calls).
bool LoadShaderEntries();

// The draw timer's frame: drawn at once, or in a browser in its next
// animation frame, so that the browser paces the frames: at most one an
// animation frame, and none while the page is hidden.
void RequestFrame(void (*draw)());

// The page's pause button: true while it holds the motion still (its draw
// timer's frames wait too). Never on a desktop.
bool Paused();

// Where a GL context can be lost and given back (a browser's), restart runs
// on the context given back, before its first frame. Nothing elsewhere.
void OnContextRestored(void (*restart)());

// Tells the page whether the ramp read from colours.txt is the one drawn
// with, each time it is uploaded. Nothing on a desktop.
void ReportRamp(bool drawn);

// Long work calls this after each step it has shown: a spinner's mark, of
// marks that turn in a cycle. In a browser, once the work has held the
// page's main thread for a slice (or, on a fast machine, turned the spinner
// through a hundred marks), the program waits there for the page's
// next animation frame, so that the page answers its user and shows the
// work so far; it waits only where the spinner has turned one mark since
// the last frame, so the marks turn one a frame. Nothing elsewhere.
void YieldToPage(int marks);

// On an indirect context, from the current one: frames are paced so that at
// most a few are sent and not yet drawn by the X server. Run once.
void StartPacing();

// After each swap: waits only if the X server has too many frames undrawn.
// Does nothing on a direct context.
void PaceFrame();
