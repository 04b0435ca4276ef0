// The heights as 16-bit samples, raw (.r16) and as a PNG: 16-bit greyscale,
// one row a j, with text chunks that turn its samples back into heights,
// its image data stored, not compressed: the same bytes from every build,
// with no library. And the formats by name.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "terrain/export.h"
#include "terrain/heightfield.h"
#include "terrain/random.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t Crc32(const unsigned char *p, std::size_t n, std::uint32_t crc = 0)
{
    crc = ~crc;
    while (n--) {
        crc ^= *p++;
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

void Put32(Bytes &out, std::uint32_t v)  // big-endian, as PNG and zlib have it
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((unsigned char)(v >> shift));
}

void Chunk(Bytes &out, const char *type, const Bytes &data)
{
    Put32(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc32(out.data() + start, out.size() - start));
}

void Text(Bytes &out, const std::string &keyword, const std::string &text)
{
    Bytes data(keyword.begin(), keyword.end());
    data.push_back(0);
    data.insert(data.end(), text.begin(), text.end());
    Chunk(out, "tEXt", data);
}

// A zlib stream of stored deflate blocks (at most 65,535 bytes each).
Bytes Stored(const Bytes &raw)
{
    constexpr std::size_t most = 65535;
    Bytes z = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    std::uint32_t a = 1, b = 0;  // Adler-32
    for (std::size_t at = 0; at < raw.size(); at += most) {
        const std::size_t n = std::min(most, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);  // the last block's flag, type 00
        z.insert(z.end(), {(unsigned char)(n & 0xff), (unsigned char)(n >> 8),
                           (unsigned char)(~n & 0xff), (unsigned char)((~n >> 8) & 0xff)});
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
    }
    for (const unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Put32(z, b << 16 | a);
    return z;
}

}  // namespace

// The fewest significant digits that read back as v (nine always do), in
// plain decimals between 1e-5 and 1e9. Every build's C library rounds both
// ways correctly.
std::string Number(float v)
{
    constexpr int most = 9, lowest = -5, highest = 9;  // digits; powers of ten written plainly
    char text[48];
    int digits = 1;
    for (; digits < most; ++digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, double(v));
        if (std::strtof(text, nullptr) == v)
            break;
    }
    std::snprintf(text, sizeof text, "%.*e", digits - 1, double(v));
    const int power = std::atoi(std::strchr(text, 'e') + 1);
    if (v != 0 && power > lowest && power < highest)
        std::snprintf(text, sizeof text, "%.*f", std::max(0, digits - 1 - power), double(v));
    return v == 0 ? "0" : text;
}

std::vector<unsigned char> LandscapePng()
{
    const HeightSamples h = SampleHeights();
    Bytes raw;  // each row: filter type 0, then big-endian samples
    raw.reserve(std::size_t(gridside) * (1 + 2 * gridside));
    for (int j = 0; j < gridside; ++j) {
        raw.push_back(0);
        for (int i = 0; i < gridside; ++i) {
            const unsigned short s = h.samples[std::size_t(j * gridside + i)];
            raw.insert(raw.end(), {(unsigned char)(s >> 8), (unsigned char)(s & 0xff)});
        }
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    Put32(header, gridside);
    Put32(header, gridside);
    header.insert(header.end(), {16, 0, 0, 0, 0});  // 16-bit greyscale, no interlace
    Chunk(png, "IHDR", header);
    Text(png, "Lowest height", Number(h.lowest));
    Text(png, "Highest height", Number(h.highest));
    Text(png, "Landscape second", std::to_string(landscapesecond));
    Text(png, "Software", "Vellmoor");
    Chunk(png, "IDAT", Stored(raw));
    Chunk(png, "IEND", {});
    return png;
}

namespace {

bool EndsWith(const std::string &path, const char *ending)
{
    const std::string e(ending);
    if (path.size() <= e.size())
        return false;
    return std::equal(e.begin(), e.end(), path.end() - long(e.size()),
                      [](char a, char b) { return std::tolower((unsigned char)a) == b; });
}

}  // namespace

LandscapeFormat FormatOf(const std::string &path)
{
    if (EndsWith(path, ".glb")) return LandscapeFormat::glb;
    if (EndsWith(path, ".png")) return LandscapeFormat::png;
    if (EndsWith(path, ".r16")) return LandscapeFormat::r16;
    return LandscapeFormat::unknown;
}

std::pair<float, float> HeightRange()
{
    const float *first = &ground[0][0], *end = first + gridside * gridside;
    const auto [lo, hi] = std::minmax_element(first, end);
    return {*lo, *hi};
}

HeightSamples SampleHeights()
{
    constexpr double top = 65535;  // the largest 16-bit sample
    const auto [lo, hi] = HeightRange();
    HeightSamples h{std::vector<unsigned short>(gridside * gridside), lo, hi};
    const double range = double(h.highest) - h.lowest;
    for (int i = 0; i < gridside; ++i)
        for (int j = 0; j < gridside; ++j)
            h.samples[std::size_t(j * gridside + i)] =
                range > 0 ? (unsigned short)std::lrint((ground[i][j] - double(h.lowest)) / range * top) : 0;
    return h;
}

std::vector<unsigned char> LandscapeR16()
{
    const HeightSamples h = SampleHeights();
    std::vector<unsigned char> bytes(h.samples.size() * 2);
    for (std::size_t k = 0; k < h.samples.size(); ++k) {
        bytes[2 * k] = (unsigned char)(h.samples[k] & 0xff);  // little-endian
        bytes[2 * k + 1] = (unsigned char)(h.samples[k] >> 8);
    }
    return bytes;
}

std::string KeptName()
{
    return "vellmoor-" + std::to_string(landscapesecond) + ".glb";
}
