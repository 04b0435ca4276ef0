// libFuzzer target for the colour ramp reader: any bytes as colours.txt.
// No crash, no undefined behaviour, nothing allocated beyond the width bound,
// and the console text is one of the reader's own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>

#include "terrain/ramp.h"

namespace {

constexpr unsigned maxwidth = 16384;  // a GL's usual 1D limit

const std::regex &Expected()
{
    static const std::regex text(
        "colours\\.txt does not start with two integers \\(width, components\\)\n"
        "|colours\\.txt asks for [0-9]+ texels, more than the 16384 this GL allows\n"
        "|No memory for [0-9]+ texels of colours\\.txt\n"
        "|([0-9]+) ([1-4])\n([0-9]+)(\nOnly [0-9]+ of [0-9]+ samples in colours\\.txt, the rest are 0\n)?");
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    std::ostringstream out;
    Ramp ramp;
    const bool ok = ReadRamp(in, maxwidth, out, ramp);
    const std::string text = out.str();
    std::smatch m;
    if (!std::regex_match(text, m, Expected()))
        abort();
    if (ok != m[1].matched)
        abort();
    if (ok) {
        const unsigned long width = std::stoul(m[1]), components = std::stoul(m[2]);
        if (width != ramp.width || components != unsigned(ramp.components) ||
            std::stoul(m[3]) != width * components || ramp.samples.size() != width * components)
            abort();
    }
    if (ramp.width > maxwidth || ramp.samples.size() > std::size_t(maxwidth) * 4)
        abort();
    return 0;
}
