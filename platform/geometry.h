// Layout arithmetic shared by the preview and the bitmap viewer.
#pragma once

namespace lumeret {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Nearest integer, a value exactly halfway going to the even neighbour.
int RoundHalfEven(double value);

// Where a picture of w x h goes in a frame of frameWidth x frameHeight,
// anchored at the top-left corner: a wide picture fills the width, any other
// the height, small pictures enlarged. The scaled side is computed in floating
// point from the integer product and rounded halves to even.
Rect FitToFrame(int w, int h, int frameWidth, int frameHeight);

}  // namespace lumeret
