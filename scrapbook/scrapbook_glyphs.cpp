#include "scrapbook/scrapbook_glyphs.h"

namespace lumeret {

namespace {

using namespace glyph_color;

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
