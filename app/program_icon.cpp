#include "app/program_icon.h"

#include <vector>

#include "platform/errors.h"

namespace lumeret {

namespace {

constexpr std::uint32_t kPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// k outline, W page, g shadow, s the lines of writing, R and B the arrows.
const std::vector<std::string_view> kIconRows = {
    "................................",
    "..............R.................",
    "..............RR................",
    "..............RRR...............",
    "..............RRRR..............",
    ".........RRRRRRRRRRkkkkkkkkk....",
    "........RRRRRRRRRRWWWWWWWWWkg...",
    "......RRRRR...RRRWWWWWWWWWWkg...",
    "......RRR...kkRRkkkkkkkkkWWkg...",
    ".....RRR....kWRWWWWWWWWWkgWkg...",
    "....RRR.....kWWWWWWWWWWWkgWkg...",
    "....RRR..kkkkkkkkkkkkkWWkgWkg...",
    "...RRR...kWWWWWWWWWWWkgWkgWkg...",
    "...RRR...kWWWWWWWWWWWkgWkgWkg...",
    "...RRR...kWWWWWWWWWWWkgWkgWkg...",
    "...RRR...kWsssssssssWkgWkgWkg...",
    ".........kWWWWWWWWWWWkgWkgBBB...",
    ".........kWWWWWWWWWWWkgWkgBBB...",
    ".........kWsssssssssWkgWkgBBB...",
    ".........kWWWWWWWWWWWkgWkgBBB...",
    ".........kWWWWWWWWWWWkgWkBBBg...",
    ".........kWsssssssssWkgWkBBBg...",
    ".........kWWWWWWWWBWWkgWBBBkg...",
    ".........kWWWWWWWBBWWkgBBBggg...",
    ".........kWsssssBBBWWBBBBB......",
    ".........kWWWWWBBBBBBBBBkg......",
    ".........kWWWWBBBBBBBBBggg......",
    ".........kWWWWWBBBBWWkg.........",
    ".........kkkkkkkBBBkkkg.........",
    "..........gggggggBBgggg.........",
    "..................B.............",
    "................................",
};

int PaletteIndex(std::uint32_t rgb) {
    for (int i = 0; i < 16; ++i) {
        if (kPalette[i] == rgb) return i;
    }
    throw Exception("ProgramIconFile: colour outside the 16-colour palette");
}

void PutU16(std::string& out, unsigned v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

}  // namespace

const std::uint32_t* StandardPalette16() { return kPalette; }

const Glyph& ProgramIconGlyph() {
    static const Glyph glyph{kProgramIconSize,
                             kProgramIconSize,
                             kIconRows,
                             {{'k', 0x000000},
                              {'W', 0xFFFFFF},
                              {'g', 0x808080},
                              {'s', 0xC0C0C0},
                              {'R', 0xFF0000},
                              {'B', 0x0000FF}}};
    return glyph;
}

std::string ProgramIconFile() {
    constexpr int n = kProgramIconSize;
    constexpr std::uint32_t kInfoHeader = 40;
    constexpr std::uint32_t kPaletteBytes = 16 * 4;
    constexpr std::uint32_t kXorRow = n / 2;  // two pixels a byte, already a multiple of 4
    constexpr std::uint32_t kAndRow = 4;      // 32 mask bits
    constexpr std::uint32_t kPixelBytes = kXorRow * n + kAndRow * n;
    constexpr std::uint32_t kImageBytes = kInfoHeader + kPaletteBytes + kPixelBytes;

    const Glyph& g = ProgramIconGlyph();
    std::string out;
    // ICONDIR: reserved, type 1 (icon), one image.
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, 1);
    // ICONDIRENTRY.
    out.push_back(static_cast<char>(n));
    out.push_back(static_cast<char>(n));
    out.push_back(16);  // colours
    out.push_back(0);
    PutU16(out, 1);  // planes
    PutU16(out, 4);  // bits per pixel
    PutU32(out, kImageBytes);
    PutU32(out, kIcoHeaderSize);
    // BITMAPINFOHEADER; the height counts the colour image and the mask.
    PutU32(out, kInfoHeader);
    PutU32(out, n);
    PutU32(out, 2 * n);
    PutU16(out, 1);
    PutU16(out, 4);
    PutU32(out, 0);  // BI_RGB
    PutU32(out, kPixelBytes);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 16);
    PutU32(out, 0);
    for (std::uint32_t rgb : kPalette) {
        out.push_back(static_cast<char>(rgb & 0xFF));
        out.push_back(static_cast<char>((rgb >> 8) & 0xFF));
        out.push_back(static_cast<char>((rgb >> 16) & 0xFF));
        out.push_back(0);
    }
    // Both images are stored bottom-up. A transparent pixel is black in the
    // colour image and set in the mask.
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; x += 2) {
            int pair[2] = {0, 0};
            for (int i = 0; i < 2; ++i) {
                std::uint32_t rgb = 0;
                if (g.ColorAt(x + i, y, rgb)) pair[i] = PaletteIndex(rgb);
            }
            out.push_back(static_cast<char>((pair[0] << 4) | pair[1]));
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        std::uint32_t bits = 0;
        for (int x = 0; x < n; ++x) {
            std::uint32_t rgb = 0;
            if (!g.ColorAt(x, y, rgb)) bits |= 0x80000000u >> x;
        }
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((bits >> shift) & 0xFF));
    }
    return out;
}

}  // namespace lumeret
