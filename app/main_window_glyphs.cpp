#include "app/main_window_glyphs.h"

namespace lumeret {

namespace {

using namespace glyph_color;

const std::vector<std::string_view> kBookRows = {
    "................",
    "..#############.",
    ".#BBBBBBBBBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".#BBWWWWWWWWBB#.",
    ".#BBBBBBBBBBBB#.",
    ".#BBWWWWWWBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".#############..",
    ".#PPPPPPPPPPPP#.",
    "..#############.",
    "................",
};

}  // namespace

const Glyph& WrenchGlyph() {
    static const Glyph glyph{12, 12,
                             {
                                 "........##..",
                                 ".......##...",
                                 "......###..#",
                                 "......######",
                                 ".....######.",
                                 "....####....",
                                 "...###......",
                                 "..###.......",
                                 ".###........",
                                 "###.........",
                                 "##..........",
                                 "............",
                             },
                             {{'#', kDarkRed}}};
    return glyph;
}

const Glyph& ClearGlyph() {
    static const Glyph glyph{21, 12,
                             {
                                 ".....................",
                                 ".....................",
                                 "..##.#...###..#..##..",
                                 ".#...#...#...#.#.#.#.",
                                 ".#...#...#...#.#.#.#.",
                                 ".#...#...##..###.##..",
                                 ".#...#...#...#.#.#.#.",
                                 ".#...#...#...#.#.#.#.",
                                 "..##.###.###.#.#.#.#.",
                                 ".....................",
                                 ".....................",
                                 ".....................",
                             },
                             {{'#', kOlive}}};
    return glyph;
}

const Glyph& BookGlyph() {
    static const Glyph glyph{16, 16, kBookRows, {{'#', kNavy}, {'B', kBlue}, {'W', kWhite}, {'P', kWhite}}};
    return glyph;
}

const Glyph& BookDisabledGlyph() {
    static const Glyph glyph{16, 16, kBookRows, {{'#', kGrey}, {'B', kSilver}, {'W', kWhite}, {'P', kWhite}}};
    return glyph;
}

}  // namespace lumeret
