// The landscape written to a file, for --export and F2.
#include "terrain/export.h"

#include <ostream>

#include "platform/platform.h"
#include "terrain/texture.h"

bool ExportLandscape(const std::string &path, const float plain[3], std::ostream &err)
{
    std::vector<unsigned char> bytes;
    switch (FormatOf(path)) {
    case LandscapeFormat::glb: bytes = LandscapeGlb(LastRamp(), plain); break;
    case LandscapeFormat::png: bytes = LandscapePng(); break;
    case LandscapeFormat::r16: bytes = LandscapeR16(); break;
    case LandscapeFormat::unknown:
        err << "vellmoor: cannot write " << path
            << ": the name must end in .glb (a glTF mesh), .png (a 16-bit height map) or .r16 (raw 16-bit heights)"
            << std::endl;
        return false;
    }
    const std::string failure = WriteWhole(path, bytes.data(), bytes.size());
    if (failure.empty())
        return true;
    err << "vellmoor: cannot write " << path << ": " << failure << std::endl;
    return false;
}
