#include "render/scene/choice.h"

#include <cctype>
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
