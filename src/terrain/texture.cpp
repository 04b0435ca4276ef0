#include "terrain/texture.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <istream>
#include <memory>
#include <streambuf>

#include "terrain/ramp.h"

namespace {

GLenum PixelFormat(int components)
{
    switch (components) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
    }
}

// Errors left over from before, so that the upload's own can be told apart;
// bounded, since a GL without a context can report one for ever.
void ClearErrors()
{
    for (int k = 0; k < 16 && glGetError() != GL_NO_ERROR; ++k) {
    }
}

void Upload(const Ramp &ramp)
{
    ClearErrors();
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStoref(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, ramp.components, GLsizei(ramp.width), 0,
                 PixelFormat(ramp.components), GL_FLOAT, ramp.samples.data());
    if (glGetError() != GL_NO_ERROR)
        std::cout << "\nThis GL refused the " << ramp.width << " texels of colours.txt" << std::endl;
}

// A stream buffer over a file descriptor, which it owns: the standard library
// opens files only by name, and the name may no longer be this file.
class FdBuf : public std::streambuf {
public:
    explicit FdBuf(int fd) : fd_(fd) {}
    ~FdBuf() override { close(fd_); }
    FdBuf(const FdBuf &) = delete;
    FdBuf &operator=(const FdBuf &) = delete;

protected:
    int_type underflow() override
    {
        ssize_t got;
        do
            got = read(fd_, buf_, sizeof buf_);
        while (got == -1 && errno == EINTR);
        if (got <= 0)
            return traits_type::eof();
        setg(buf_, buf_, buf_ + got);
        return traits_type::to_int_type(buf_[0]);
    }

private:
    int fd_;
    char buf_[1 << 16];
};

const char *KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "a special file";
}

using RampFile = std::unique_ptr<FdBuf>;

// Opens colours.txt for reading only if it is a regular file (or a link to
// one), without ever blocking: a FIFO without a writer would hang start-up.
// The type is checked on the opened descriptor, so nothing can be swapped in
// between. Says what went wrong on the console and gives null on failure.
RampFile OpenRamp(const char *path)
{
    struct stat st;
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    // A socket cannot be opened at all, so its type comes from the path.
    const bool known = fd != -1 ? fstat(fd, &st) == 0 : stat(path, &st) == 0;
    if (fd == -1 || !known || !S_ISREG(st.st_mode)) {
        if (known && !S_ISREG(st.st_mode))
            std::cout << "colours.txt is " << KindOf(st.st_mode) << ", not a regular file" << std::endl;
        else
            std::cout << "Where's colours.txt?!" << std::endl;
        if (fd != -1)
            close(fd);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<FdBuf>(fd);
}

}  // namespace

void LoadTexture()
{
    GLint maxwidth = 0;  // stays 0 where the query fails (some indirect contexts)
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxwidth);

    std::cout << "\nGetting colours.txt.." << std::flush;
    RampFile file = OpenRamp("colours.txt");
    if (!file)
        return;
    std::cout << "Got it!" << std::endl;
    Ramp ramp;
    std::istream in(file.get());
    const bool ok = ReadRamp(in, RampLimit(maxwidth), std::cout, ramp);
    file.reset();  // closed before any GL call
    if (ok)
        Upload(ramp);
}
