#include "terrain/texture.h"

#include <GL/gl.h>

#include <iostream>
#include <istream>
#include <memory>
#include <streambuf>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "render/render.h"
#include "terrain/ramp.h"

bool rampimage;  // see texture.h
unsigned shaderramp;

unsigned PixelFormat(int components)
{
    switch (components) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
    }
}

namespace {

// Errors left over from before, so that the upload's own can be told apart;
// bounded, since a GL without a context can report one for ever.
void ClearErrors()
{
    for (int k = 0; k < 16 && glGetError() != GL_NO_ERROR; ++k) {
    }
}

void Upload2D(const Ramp &ramp)
{
    const std::vector<unsigned char> texels = RampBytes(ramp);
    const GLenum format = PixelFormat(ramp.components);
    glBindTexture(GL_TEXTURE_2D, shaderramp);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), GLsizei(ramp.width), 1, 0, format, GL_UNSIGNED_BYTE,
                 texels.data());
}

void Upload(const Ramp &ramp)
{
    ClearErrors();
    if constexpr (shadersonly)
        Upload2D(ramp);
    else if (shaderpass)
        Upload2D(ramp);
    else
        UploadRamp1D(ramp);
    const bool refused = glGetError() != GL_NO_ERROR;
    rampimage = !refused && ramp.width > 0;
    if (refused)
        std::cout << "\nThis GL refused the " << ramp.width << " texels of colours.txt" << std::endl;
}

// Opens colours.txt if it is a regular file, or says on the console why not;
// null on failure.
std::unique_ptr<std::streambuf> OpenRamp(const char *path)
{
    OpenedFile f = OpenRegularFile(path);
    if (f.kind)
        std::cout << "colours.txt is " << f.kind << ", not a regular file" << std::endl;
    else if (!f.in)
        std::cout << "Where's colours.txt?!" << std::endl;
    return std::move(f.in);
}

}  // namespace

void LoadTexture()
{
    rampimage = false;
    if (shaderpass && !shaderramp)
        glGenTextures(1, &shaderramp);
    GLint maxwidth = 0;  // stays 0 where the query fails (some indirect contexts)
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxwidth);

    std::cout << "\nGetting colours.txt.." << std::flush;
    std::unique_ptr<std::streambuf> file = OpenRamp("colours.txt");
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
