#include "terrain/texture.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ext/stdio_filebuf.h>
#include <iostream>
#include <istream>
#include <memory>

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

void Upload(const Ramp &ramp)
{
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStoref(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, ramp.components, GLsizei(ramp.width), 0,
                 PixelFormat(ramp.components), GL_FLOAT, ramp.samples.data());
}

const char *KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "a special file";
}

using RampFile = std::unique_ptr<__gnu_cxx::stdio_filebuf<char>>;

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
    return std::make_unique<__gnu_cxx::stdio_filebuf<char>>(fd, std::ios::in);  // owns fd
}

}  // namespace

void LoadTexture()
{
    GLint maxwidth = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxwidth);

    std::cout << "\nGetting colours.txt.." << std::flush;
    RampFile file = OpenRamp("colours.txt");
    if (!file)
        return;
    std::cout << "Got it!" << std::endl;
    Ramp ramp;
    std::istream in(file.get());
    const bool ok = ReadRamp(in, unsigned(maxwidth > 0 ? maxwidth : 0), std::cout, ramp);
    file.reset();  // closed before any GL call
    if (ok)
        Upload(ramp);
}
