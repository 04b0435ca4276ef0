// The process and files on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/platform.h"
#include "platform/readbuf.h"

namespace {

// The standard library opens files only by name, and the name may no longer
// be this file: the descriptor is read instead.
std::ptrdiff_t ReadFd(std::intptr_t fd, char *to, std::size_t n)
{
    ssize_t got;
    do
        got = read(int(fd), to, n);
    while (got == -1 && errno == EINTR);
    return got;
}

void CloseFd(std::intptr_t fd)
{
    close(int(fd));
}

const char *KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "a special file";
}

// Standard input, output and error open on something, so that no file or
// connection opened later (the X display's, say) takes their numbers and
// receives the console text. A lost reader of standard output only loses
// the console text: writes then fail instead of killing the viewer.
void GuardStdio()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            open("/dev/null", O_RDWR);  // takes the lowest free number: fd
    signal(SIGPIPE, SIG_IGN);
    signal(SIGXFSZ, SIG_IGN);  // a file past the size limit fails to write instead
}

// The GL driver builds each frame's scene in memory it frees again at the end
// of the frame. By default the C library hands such memory back to the kernel
// (trimming the heap, unmapping large blocks) and gets it back zeroed on the
// next frame: thousands of page faults a frame when the whole grid is in
// view. Keeping it in the process costs only the driver's high-water mark.
// The tuning is glibc's; other C libraries keep their own defaults.
void KeepFreedMemory()
{
#ifdef __GLIBC__
    constexpr int mmapthreshold = 32 << 20;  // bytes; glibc's largest allowed
    constexpr int trimthreshold = 1 << 30;   // bytes; in effect never
    mallopt(M_MMAP_THRESHOLD, mmapthreshold);
    mallopt(M_TRIM_THRESHOLD, trimthreshold);
#endif
}

}  // namespace

void PrepareProcess()
{
    GuardStdio();
    KeepFreedMemory();
}

// The type is checked on the opened descriptor, so nothing can be swapped in
// between.
OpenedFile OpenRegularFile(const char *path)
{
    struct stat st;
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    // A socket cannot be opened at all, so its type comes from the path.
    const bool known = fd != -1 ? fstat(fd, &st) == 0 : stat(path, &st) == 0;
    if (fd == -1 || !known || !S_ISREG(st.st_mode)) {
        if (fd != -1)
            close(fd);
        return {nullptr, known && !S_ISREG(st.st_mode) ? KindOf(st.st_mode) : nullptr};
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {std::make_unique<ReadBuf>(fd, ReadFd, CloseFd), nullptr};
}

namespace {

bool WriteAll(int fd, const char *p, std::size_t n)
{
    while (n > 0) {
        const ssize_t put = write(fd, p, n);
        if (put == -1 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return false;
        }
        p += put;
        n -= std::size_t(put);
    }
    return true;
}

// A path the user gave, from the folder the command was typed in: the
// installed command names it where it starts the program elsewhere (in the
// data folder, for its ramp).
std::string Users(const std::string &path)
{
    const char *from = std::getenv("VELLMOOR_USER_DIR");
    return !from || !*from || path.empty() || path[0] == '/' ? path : std::string(from) + "/" + path;
}

}  // namespace

// mkstemp makes the file for its owner alone: it gets the mode a new file
// gets, 0666 less the umask, before it takes the name; its owner can always
// read it (the web build's umask takes everything).
std::string WriteWhole(const std::string &given, const void *bytes, std::size_t size)
{
    const std::string path = Users(given);
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd == -1)
        return std::strerror(errno);
    const mode_t mask = umask(0);
    umask(mask);
    const bool done = fchmod(fd, (0666 & ~mask) | 0600) == 0 &&
                      WriteAll(fd, static_cast<const char *>(bytes), size) && fsync(fd) == 0;
    const int failure = done ? 0 : errno;
    const bool closed = close(fd) == 0;
    if (done && closed && rename(temp.c_str(), path.c_str()) == 0)
        return {};
    const int why = failure ? failure : errno;
    unlink(temp.c_str());
    return std::strerror(why);
}

std::string FullPath(const std::string &given)
{
    const std::string path = Users(given);
    if (path.empty() || path[0] == '/')
        return path;
    char here[4096];
    return getcwd(here, sizeof here) ? std::string(here) + "/" + path : path;
}
