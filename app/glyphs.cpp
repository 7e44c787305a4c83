#include "app/glyphs.h"

namespace lumeret {

bool Glyph::ColorAt(int x, int y, std::uint32_t& rgb) const {
    if (y < 0 || y >= static_cast<int>(rows.size()) || x < 0 || x >= static_cast<int>(rows[y].size())) return false;
    char key = rows[y][x];
    for (const auto& c : colors) {
        if (c.key == key) {
            rgb = c.rgb;
            return true;
        }
    }
    return false;
}

namespace {

constexpr std::uint32_t kDarkRed = 0x800000;
constexpr std::uint32_t kOlive = 0x808000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kNavy = 0x000080;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;

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


const std::vector<std::string_view> kFirstClipRows = {
    "............",
    "............",
    "............",
    "............",
    "............",
    "............",
    ".##......##.",
    ".##.....###.",
    ".##....####.",
    ".##...#####.",
    ".##..######.",
    ".##.#######.",
    ".##.#######.",
    ".##..######.",
    ".##...#####.",
    ".##....####.",
    ".##.....###.",
    ".##......##.",
    "............",
    "............",
    "............",
    "............",
    "............",
    "............",
};

const std::vector<std::string_view> kLastClipRows = {
    "............",
    "............",
    "............",
    "............",
    "............",
    "............",
    ".##......##.",
    ".###.....##.",
    ".####....##.",
    ".#####...##.",
    ".######..##.",
    ".#######.##.",
    ".#######.##.",
    ".######..##.",
    ".#####...##.",
    ".####....##.",
    ".###.....##.",
    ".##......##.",
    "............",
    "............",
    "............",
    "............",
    "............",
    "............",
};

const std::vector<std::string_view> kFloppyRows = {
    ".##############.",
    "#NN#WWWWWWWW#NN#",
    "#NN#WWWWWWWW#NN#",
    "#NN#WKKKKKKW#NN#",
    "#NN#WWWWWWWW#NN#",
    "#NN#WKKKKKKW#NN#",
    "#NN#WWWWWWWW#NN#",
    "#NNN########NNN#",
    "#NNNNNNNNNNNNNN#",
    "#NNNNNNNNNNNNNN#",
    "#NN##########NN#",
    "#NN#SS##SSSS#NN#",
    "#NN#SS##SSSS#NN#",
    "#NN#SS##SSSS#NN#",
    "#NN#SSSSSSSS#NN#",
    ".##############.",
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

// The navigation glyphs are one bit per pixel: black where set.
const Glyph& FirstClipGlyph() {
    static const Glyph glyph{12, 24, kFirstClipRows, {{'#', kBlack}}};
    return glyph;
}

const Glyph& LastClipGlyph() {
    static const Glyph glyph{12, 24, kLastClipRows, {{'#', kBlack}}};
    return glyph;
}

const Glyph& FloppyGlyph() {
    static const Glyph glyph{
        16, 16, kFloppyRows, {{'#', kBlack}, {'N', kNavy}, {'W', kWhite}, {'K', kGrey}, {'S', kSilver}}};
    return glyph;
}

const Glyph& FloppyDisabledGlyph() {
    static const Glyph glyph{
        16, 16, kFloppyRows, {{'#', kGrey}, {'N', kSilver}, {'W', kWhite}, {'K', kSilver}, {'S', kWhite}}};
    return glyph;
}

}  // namespace lumeret
