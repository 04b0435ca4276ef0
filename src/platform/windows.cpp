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
#include <string>

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

// The system's words for an error, without the line's end.
std::string Reason(DWORD code)
{
    char text[512];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.'))
        --n;
    return n ? std::string(text, n) : "error " + std::to_string(code);
}

// A new file beside path, named after this process and a count.
HANDLE Beside(const std::string &path, std::string &temp)
{
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int k = 0; k < 100 && h == INVALID_HANDLE_VALUE; ++k) {
        temp = path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(k);
        h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return h;
}

bool WriteAll(HANDLE h, const char *p, std::size_t n)
{
    constexpr std::size_t most = 1 << 30;  // bytes a call
    while (n > 0) {
        const DWORD ask = DWORD(n < most ? n : most);
        DWORD put = 0;
        if (!WriteFile(h, p, ask, &put, nullptr))
            return false;
        if (put != ask) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        p += put;
        n -= put;
    }
    return true;
}

}  // namespace

std::string WriteWhole(const std::string &path, const void *bytes, std::size_t size)
{
    std::string temp;
    const HANDLE h = Beside(path, temp);
    if (h == INVALID_HANDLE_VALUE)
        return Reason(GetLastError());
    const bool done = WriteAll(h, static_cast<const char *>(bytes), size) && FlushFileBuffers(h);
    DWORD failure = done ? 0 : GetLastError();
    if (!CloseHandle(h) && !failure)
        failure = GetLastError();
    if (!failure && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    if (!failure)
        failure = GetLastError();
    DeleteFileA(temp.c_str());
    return Reason(failure);
}

std::string FullPath(const std::string &path)
{
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

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
