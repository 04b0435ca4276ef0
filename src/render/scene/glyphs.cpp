#include "render/scene/glyphs.h"

#include <algorithm>
#include <cstring>

namespace {

struct Glyph {
    char c;
    const char *rows[glyphrows];  // top row first, '#' inked; the baseline below row glyphascent - 1
};

constexpr int columns = 7;  // the widest glyph
constexpr int blankwidth = 4;  // pixels, for a character without a glyph
constexpr int bearing = 1;  // clear pixels after a glyph's ink, part of its width

// clang-format off
const Glyph glyphs[] = {
    {'T', {"", "#######", "   #", "   #", "   #", "   #", "   #", "   #", "   #", "   #"}},
    {'e', {"", "", "", " ###", "#   #", "#   #", "#####", "#", "#   #", " ###"}},
    {'s', {"", "", "", " ###", "#   #", "#", " ###", "    #", "#   #", " ###"}},
    {'t', {"", "", " #", " #", "###", " #", " #", " #", " #", " ##"}},
    {'i', {"", "#", "", "#", "#", "#", "#", "#", "#", "#"}},
    {'n', {"", "", "", "# ##", "##  #", "#   #", "#   #", "#   #", "#   #", "#   #"}},
    {'g', {"", "", "", " ####", "#   #", "#   #", "#   #", "#   #", "#  ##", " ## #", "    #", "#   #", " ###"}},
};
// clang-format on
constexpr int glyphcount = sizeof glyphs / sizeof glyphs[0];

int Columns(const Glyph &g)
{
    int n = 0;
    for (const char *row : g.rows)
        n = row ? std::max(n, int(std::strlen(row))) : n;
    return n;
}

const Glyph *Find(unsigned char c)
{
    for (const Glyph &g : glyphs)
        if (static_cast<unsigned char>(g.c) == c)
            return &g;
    return nullptr;
}

GlyphAtlas MakeAtlas()
{
    GlyphAtlas a{glyphcount * columns, {}};
    a.texels.assign(std::size_t(a.width) * glyphrows, 0);
    for (int k = 0; k < glyphcount; ++k)
        for (int r = 0; r < glyphrows; ++r)
            for (int x = 0; glyphs[k].rows[r] && glyphs[k].rows[r][x]; ++x)
                if (glyphs[k].rows[r][x] == '#')
                    a.texels[std::size_t(r) * a.width + k * columns + x] = 255;
    return a;
}

}  // namespace

const GlyphAtlas &Glyphs()
{
    static const GlyphAtlas atlas = MakeAtlas();
    return atlas;
}

std::vector<GlyphQuad> LayoutText(const char *text, int baseline)
{
    std::vector<GlyphQuad> quads;
    int pen = 0;
    for (const char *c = text; *c; ++c) {
        const Glyph *g = Find(static_cast<unsigned char>(*c));
        if (!g) {
            pen += blankwidth + glyphgap;
            continue;
        }
        const int width = Columns(*g);
        quads.push_back({pen, pen, baseline - glyphascent, pen + width, baseline + glyphdescent,
                         int(g - glyphs) * columns});
        pen += width + bearing + glyphgap;
    }
    return quads;
}
