#pragma once
// Bitmap glyphs of the program's own, for a GL without bitmap fonts: the
// letters of the overlay's text in a 12-pixel sans-serif. No GL here.
#include <vector>

constexpr int glyphascent = 10;  // atlas rows above the baseline
constexpr int glyphdescent = 3;  // atlas rows below it
constexpr int glyphrows = glyphascent + glyphdescent;
constexpr int textbaseline = 10;  // the overlay's, pixels below the top edge
constexpr int glyphgap = 2;      // pixels between one glyph's width and the next origin

// Every glyph side by side in one image, glyphrows high.
struct GlyphAtlas {
    int width;                          // texels
    std::vector<unsigned char> texels;  // 255 inked, 0 clear; top row first
};
const GlyphAtlas &Glyphs();

// Where one glyph of a text goes, in window pixels with y counting down from
// the top edge, and where it lies in the atlas.
struct GlyphQuad {
    int pen;                       // x of its origin on the baseline
    int left, top, right, bottom;  // its cell, glyphrows high
    int atlasleft;                 // the atlas column of the cell's left edge
};

// The glyphs of a text on a baseline `baseline` pixels below the top edge:
// the first origin at x = 0, each next one the glyph's width plus glyphgap
// further on. A character without a glyph only moves the pen.
std::vector<GlyphQuad> LayoutText(const char *text, int baseline);
