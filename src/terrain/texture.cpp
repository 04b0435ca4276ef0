#include "terrain/texture.h"

#include <GL/gl.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

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

}  // namespace

void LoadTexture()
{
    GLint maxwidth = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxwidth);

    std::cout << "\nGetting colours.txt.." << std::flush;
    std::error_code unused;  // any error here shows up as a failed open below
    std::ifstream file;
    if (!std::filesystem::is_directory("colours.txt", unused))  // a folder opens, then fails every read
        file.open("colours.txt");
    if (!file.is_open()) {
        std::cout << "Where's colours.txt?!" << std::endl;
        return;
    }
    std::cout << "Got it!" << std::endl;
    Ramp ramp;
    const bool ok = ReadRamp(file, unsigned(maxwidth > 0 ? maxwidth : 0), std::cout, ramp);
    file.close();
    if (ok)
        Upload(ramp);
}
