#include "terrain/ramp.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <istream>
#include <new>
#include <ostream>

unsigned nearest_power_of_2(unsigned a)
{
    unsigned b = a - 1;
    b |= b >> 1;
    b |= b >> 2;
    b |= b >> 4;
    b |= b >> 8;
    b |= b >> 16;
    b += 1;
    return b <= a ? b : b >> 1;
}

namespace {

int ClampComponents(int c)
{
    if (c <= 0) c = 1;
    if (c > 4) c = 4;
    return c;
}

// Reads up to count floats; the rest stay 0. Returns how many were read.
std::size_t ReadSamples(std::istream &in, std::vector<float> &samples)
{
    std::size_t got = 0;
    float v = 0.0f;
    while (got < samples.size() && in >> v)
        samples[got++] = v;
    return got;
}

}  // namespace

unsigned RampLimit(long answer)
{
    constexpr long leastmaxwidth = 64, mostmaxwidth = 65536;  // texels
    return unsigned(answer < leastmaxwidth ? mostmaxwidth : std::min(answer, mostmaxwidth));
}

bool ReadRamp(std::istream &in, unsigned maxwidth, std::ostream &out, Ramp &ramp)
{
    int width = 0, components = 0;
    if (!(in >> width >> components)) {
        out << "colours.txt does not start with two integers (width, components)" << std::endl;
        return false;
    }
    const unsigned texels = nearest_power_of_2(unsigned(width));
    if (texels > maxwidth) {
        out << "colours.txt asks for " << texels << " texels, more than the " << maxwidth
            << " this GL allows" << std::endl;
        return false;
    }
    ramp.width = texels;
    ramp.components = ClampComponents(components);
    const std::size_t count = std::size_t(ramp.width) * std::size_t(ramp.components);
    try {
        ramp.samples.assign(count, 0.0f);
    } catch (const std::bad_alloc &) {
        out << "No memory for " << ramp.width << " texels of colours.txt" << std::endl;
        ramp = Ramp();
        return false;
    }
    out << ramp.width << ' ' << ramp.components << std::endl << count << std::flush;
    const std::size_t got = ReadSamples(in, ramp.samples);
    if (got < count)
        out << "\nOnly " << got << " of " << count << " samples in colours.txt, the rest are 0"
            << std::endl;
    return true;
}

std::vector<unsigned char> RampBytes(const Ramp &ramp)
{
    constexpr float top = 255;  // the largest 8-bit value
    std::vector<unsigned char> bytes(ramp.samples.size());
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const float v = ramp.samples[k];
        bytes[k] = v > 0 ? static_cast<unsigned char>(std::lrint(std::min(v, 1.0f) * top)) : 0;
    }
    return bytes;
}
