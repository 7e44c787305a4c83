#include "app/program_icon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace lumeret {
namespace {

unsigned U16(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

TEST(ProgramIcon, RowsAre32By32InTheStandardColours) {
    const Glyph& g = ProgramIconGlyph();
    ASSERT_EQ(g.rows.size(), 32u);
    bool red = false, blue = false, white = false;
    for (int y = 0; y < 32; ++y) {
        ASSERT_EQ(g.rows[y].size(), 32u) << "row " << y;
        for (int x = 0; x < 32; ++x) {
            std::uint32_t rgb = 0;
            if (!g.ColorAt(x, y, rgb)) {
                EXPECT_EQ(g.rows[y][x], '.') << x << "," << y;
                continue;
            }
            bool known = false;
            for (int i = 0; i < 16; ++i) known = known || StandardPalette16()[i] == rgb;
            EXPECT_TRUE(known) << x << "," << y;
            red = red || rgb == 0xFF0000;
            blue = blue || rgb == 0x0000FF;
            white = white || rgb == 0xFFFFFF;
        }
    }
    EXPECT_TRUE(red && blue && white);
}

TEST(ProgramIcon, IcoFileHoldsOne32By32FourBitImageWithMask) {
    std::string ico = ProgramIconFile();
    ASSERT_EQ(ico.size(), kIcoHeaderSize + 40 + 64 + 32 * 16 + 32 * 4);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);  // icon
    EXPECT_EQ(U16(ico, 4), 1u);  // one image
    EXPECT_EQ(static_cast<unsigned char>(ico[6]), 32);
    EXPECT_EQ(static_cast<unsigned char>(ico[7]), 32);
    EXPECT_EQ(static_cast<unsigned char>(ico[8]), 16);
    EXPECT_EQ(U16(ico, 12), 4u);
    EXPECT_EQ(U32(ico, 14), ico.size() - kIcoHeaderSize);
    EXPECT_EQ(U32(ico, 18), kIcoHeaderSize);
    EXPECT_EQ(U32(ico, 22), 40u);
    EXPECT_EQ(U32(ico, 26), 32u);
    EXPECT_EQ(U32(ico, 30), 64u);  // image and mask
    EXPECT_EQ(U16(ico, 36), 4u);
    // Top-left pixel is transparent: the first mask bit of the last mask row.
    std::size_t maskStart = kIcoHeaderSize + 40 + 64 + 32 * 16;
    EXPECT_EQ(static_cast<unsigned char>(ico[maskStart + 31 * 4]) & 0x80, 0x80);
    // Pixel (14, 1) is red (index 9): its byte in the colour image, row 30 from the bottom.
    std::size_t pixels = kIcoHeaderSize + 40 + 64;
    EXPECT_EQ(static_cast<unsigned char>(ico[pixels + 30 * 16 + 7]) >> 4, 9);
}

#ifndef _WIN32
// The executable's icon resource is the committed file; it must be what the
// rows draw. On a mismatch the right bytes are written beside the test so
// they can be copied over app/lumeret.ico.
TEST(ProgramIcon, CommittedIcoMatchesTheRows) {
    auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "app" / "lumeret.ico";
    std::ifstream in(path, std::ios::binary);
    std::string committed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string expected = ProgramIconFile();
    if (committed != expected) {
        std::ofstream("lumeret.ico.new", std::ios::binary) << expected;
        FAIL() << path << " is out of date; the current icon is in lumeret.ico.new";
    }
}
#endif

}  // namespace
}  // namespace lumeret
