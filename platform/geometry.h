// Layout arithmetic shared by the preview and the bitmap viewer.
#pragma once

#include <cstdint>

namespace lumeret {

struct Rect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int32_t Width() const { return Right - Left; }
    std::int32_t Height() const { return Bottom - Top; }
    bool operator==(const Rect&) const = default;
};

// Nearest integer, a value exactly halfway going to the even neighbour.
int RoundHalfEven(double value);

// Where a picture of w x h goes in a frame of frameWidth x frameHeight,
// anchored at the top-left corner: a wide picture fills the width, any other
// the height, small pictures enlarged. The scaled side is computed in floating
// point from the integer product and rounded halves to even.
Rect FitToFrame(int w, int h, int frameWidth, int frameHeight);

// A window's place moved the least so that it lies within area; one larger
// than the area keeps its top-left corner at the area's.
Rect MoveInside(const Rect& window, const Rect& area);

}  // namespace lumeret
