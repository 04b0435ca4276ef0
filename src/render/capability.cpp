#include "render/capability.h"

#include <cctype>
#include <cstddef>
#include <cstring>

namespace {

constexpr int maxdigits = 6;  // longer numbers are not a version

// Reads a run of digits at p; false when there is none or it is too long.
bool Number(const char *&p, int &value)
{
    value = 0;
    int digits = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        if (++digits > maxdigits)
            return false;
        value = value * 10 + (*p - '0');
    }
    return digits > 0;
}

}  // namespace

bool VersionAtLeast(const char *version, int major, int minor)
{
    int ma = 1, mi = 1;
    const char *p = version;
    if (!(p && Number(p, ma) && *p++ == '.' && Number(p, mi)))
        ma = mi = 1;
    return ma != major ? ma > major : mi >= minor;
}

LandscapePath ChooseLandscapePath(const char *version, bool direct)
{
    return direct && VersionAtLeast(version, 1, 5) ? LandscapePath::buffers : LandscapePath::lists;
}

namespace {
const char esprefix[] = "OpenGL ES ";  // then the version, as a desktop GL's starts
}  // namespace

bool IsOpenGLES(const char *version)
{
    return version && std::strncmp(version, esprefix, sizeof esprefix - 1) == 0;
}

bool ShadersPossible(const char *version)
{
    return VersionAtLeast(IsOpenGLES(version) ? version + sizeof esprefix - 1 : version, 2, 0);
}

bool HasExtension(const char *extensions, const char *name)
{
    const std::size_t n = std::strlen(name);
    for (const char *p = extensions; p && *p;) {
        const char *end = std::strchr(p, ' ');
        const std::size_t len = end ? std::size_t(end - p) : std::strlen(p);
        if (len == n && std::strncmp(p, name, n) == 0)
            return true;
        p = end ? end + 1 : p + len;
    }
    return false;
}

bool BigIndices(const char *version, const char *extensions)
{
    return !IsOpenGLES(version) || HasExtension(extensions, "GL_OES_element_index_uint");
}
