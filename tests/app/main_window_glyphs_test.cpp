#include "app/main_window_glyphs.h"

#include <gtest/gtest.h>

namespace lumeret {
namespace {

void ExpectWellFormed(const Glyph& g, int width, int height) {
    EXPECT_EQ(g.width, width);
    EXPECT_EQ(g.height, height);
    ASSERT_EQ(static_cast<int>(g.rows.size()), height);
    int painted = 0;
    for (int y = 0; y < height; ++y) {
        EXPECT_EQ(static_cast<int>(g.rows[y].size()), width) << "row " << y;
        for (int x = 0; x < width; ++x) {
            std::uint32_t rgb = 0;
            if (g.ColorAt(x, y, rgb)) {
                ++painted;
            } else {
                EXPECT_EQ(g.rows[y][x], '.') << "unknown colour at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(painted, 0);
}

TEST(Glyphs, SizesAndColoursAreWellFormed) {
    ExpectWellFormed(WrenchGlyph(), 12, 12);
    ExpectWellFormed(ClearGlyph(), 21, 12);
    ExpectWellFormed(BookGlyph(), 16, 16);
    ExpectWellFormed(BookDisabledGlyph(), 16, 16);
}

TEST(Glyphs, ColoursAreTheButtonsOwn) {
    std::uint32_t rgb = 0;
    ASSERT_TRUE(WrenchGlyph().ColorAt(8, 0, rgb));
    EXPECT_EQ(rgb, 0x800000u);  // dark red
    ASSERT_TRUE(ClearGlyph().ColorAt(1, 3, rgb));
    EXPECT_EQ(rgb, 0x808000u);  // olive
    ASSERT_TRUE(BookGlyph().ColorAt(3, 3, rgb));
    EXPECT_EQ(rgb, 0x0000FFu);
    ASSERT_TRUE(BookDisabledGlyph().ColorAt(3, 3, rgb));
    EXPECT_EQ(rgb, 0xC0C0C0u);  // the disabled image is grey
    EXPECT_FALSE(BookGlyph().ColorAt(0, 0, rgb));
    EXPECT_FALSE(BookGlyph().ColorAt(16, 0, rgb));
}

}  // namespace
}  // namespace lumeret
