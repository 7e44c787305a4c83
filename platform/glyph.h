// Small pictures drawn as pixel rows: each character of a row is one pixel,
// '.' transparent, other characters index the picture's colours.
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

// Colours of the standard 16-colour set the pictures use.
namespace glyph_color {
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kDarkRed = 0x800000;
inline constexpr std::uint32_t kOlive = 0x808000;
inline constexpr std::uint32_t kNavy = 0x000080;
inline constexpr std::uint32_t kGrey = 0x808080;
inline constexpr std::uint32_t kSilver = 0xC0C0C0;
inline constexpr std::uint32_t kBlue = 0x0000FF;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
}  // namespace glyph_color

}  // namespace lumeret
