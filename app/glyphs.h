// The program's small button pictures, drawn as pixel rows: each character
// of a row is one pixel, '.' transparent, other characters index the
// glyph's colours.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumeret {

struct GlyphColor {
    char key;
    std::uint32_t rgb;  // 0xRRGGBB
};

struct Glyph {
    int width;
    int height;
    std::vector<std::string_view> rows;
    std::vector<GlyphColor> colors;

    // The colour of pixel (x, y), or nothing when it is transparent.
    bool ColorAt(int x, int y, std::uint32_t& rgb) const;
};

const Glyph& WrenchGlyph();        // settings button, 12 x 12, dark red
const Glyph& ClearGlyph();         // CLEAR button, 21 x 12, olive letters
const Glyph& BookGlyph();          // scrapbook button, 16 x 16, blue
const Glyph& BookDisabledGlyph();  // the same book in grey
const Glyph& FirstClipGlyph();     // scrapbook's jump to the first clip: bar and left arrow head, 12 x 24
const Glyph& LastClipGlyph();      // jump to the last clip: right arrow head and bar, 12 x 24
const Glyph& FloppyGlyph();        // scrapbook's save button, 16 x 16
const Glyph& FloppyDisabledGlyph();  // the same disk in greys

}  // namespace lumeret
