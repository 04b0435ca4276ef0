#pragma once
// Colour ramp file: "width components" and then width x components floats,
// whitespace separated. Reading is kept apart from the GL upload.
#include <iosfwd>
#include <vector>

struct Ramp {
    unsigned width = 0;          // texels, a power of two (or 0)
    int components = 0;          // values per texel, 1..4
    std::vector<float> samples;  // width * components values, texel after texel
};

// Largest power of two not above a; 0 for 0 and for anything above 2^31.
unsigned nearest_power_of_2(unsigned a);

// The widest ramp to read for the GL's GL_MAX_TEXTURE_SIZE answer. Every GL
// allows 64 texels and none more than 65,536: an answer below 64 (0, or none)
// means the query failed, and the width is capped at 65,536.
unsigned RampLimit(long answer);

// Reads a ramp from an opened file, writing the loader's console text to out.
// maxwidth is the widest ramp the caller can use (the GL's limit).
// False, with one line on out, when the header is unusable; missing samples
// are read as 0 and reported.
bool ReadRamp(std::istream &in, unsigned maxwidth, std::ostream &out, Ramp &ramp);

// The samples as the GL stores them in an 8-bit texture: clamped to 0..1,
// scaled to 0..255 and rounded to the nearest (halves to even); NaN as 0.
std::vector<unsigned char> RampBytes(const Ramp &ramp);
