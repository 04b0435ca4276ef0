// The process, files and the GL context on Windows. Contexts there are
// direct (direct.cpp); the GL library exports GL 1.1 alone, so the later
// entry points come from the driver once a context is current.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <GL/gl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/glentry.h"
#include "platform/platform.h"
#include "platform/readbuf.h"

namespace {

std::ptrdiff_t ReadHandle(std::intptr_t h, char *to, std::size_t n)
{
    DWORD got = 0;
    return ReadFile(reinterpret_cast<HANDLE>(h), to, DWORD(n), &got, nullptr) ? std::ptrdiff_t(got) : -1;
}

void CloseFile(std::intptr_t h)
{
    CloseHandle(reinterpret_cast<HANDLE>(h));
}

// What an opened handle is, when not a regular file; null when it is one.
const char *KindOf(HANDLE h)
{
    switch (GetFileType(h)) {
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION info;
        if (!GetFileInformationByHandle(h, &info))
            return "a special file";
        return info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? "a directory" : nullptr;
    }
    case FILE_TYPE_PIPE: return "a FIFO";
    case FILE_TYPE_CHAR: return "a device";
    default: return "a special file";
    }
}

// wglGetProcAddress answers some failures with small numbers, not null. The
// entry point goes through void (*)(), the type that stands for any.
template <typename F>
bool Fetch(F &entry, const char *name)
{
    const PROC p = wglGetProcAddress(name);
    const auto bits = reinterpret_cast<std::intptr_t>(p);
    entry = bits >= -1 && bits <= 3 ? nullptr : reinterpret_cast<F>(reinterpret_cast<void (*)()>(p));
    return entry != nullptr;
}

}  // namespace

#define VELLMOOR_NULL_ENTRY(pointer, name, result, parameters) result(APIENTRY *pointer) parameters;
VELLMOOR_BUFFER_ENTRIES(VELLMOOR_NULL_ENTRY)
VELLMOOR_SHADER_ENTRIES(VELLMOOR_NULL_ENTRY)
#undef VELLMOOR_NULL_ENTRY

// Standard streams that are not open go to NUL, so that writes to them fail
// quietly; there is no SIGPIPE, and the C runtime's allocator is left as it is.
void PrepareProcess()
{
    FILE *const streams[] = {stdin, stdout, stderr};
    for (int fd = 0; fd <= 2; ++fd)
        if (_get_osfhandle(fd) == -1)
            (void)std::freopen("NUL", fd == 0 ? "r" : "w", streams[fd]);
}

// Opened with backup semantics, so that a directory opens too and can be
// told apart; the type is checked on the opened handle.
OpenedFile OpenRegularFile(const char *path)
{
    const HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {nullptr, nullptr};
    if (const char *kind = KindOf(h)) {
        CloseHandle(h);
        return {nullptr, kind};
    }
    return {std::make_unique<ReadBuf>(reinterpret_cast<std::intptr_t>(h), ReadHandle, CloseFile), nullptr};
}

void ReleaseContext()
{
    wglMakeCurrent(nullptr, nullptr);
}

// MinGW-w64's GCC 12 fails with an internal error on a function that can only
// end the process when stack clash protection is on; this one has no stack to
// protect.
__attribute__((optimize("no-stack-clash-protection"))) void EndProgram()
{
    std::exit(0);
}

bool ContextIsDirect()
{
    return wglGetCurrentContext() != nullptr;
}

// Every fetch is tried, so that none is left from an earlier context.
#define VELLMOOR_FETCH_ENTRY(pointer, name, result, parameters) all = Fetch(pointer, #name) && all;

bool LoadGlEntries()
{
    bool all = true;
    VELLMOOR_BUFFER_ENTRIES(VELLMOOR_FETCH_ENTRY)
    return all;
}

bool LoadShaderEntries()
{
    bool all = LoadGlEntries();
    VELLMOOR_SHADER_ENTRIES(VELLMOOR_FETCH_ENTRY)
    return all;
}

#undef VELLMOOR_FETCH_ENTRY
