// A device context as a canvas: StretchDIBits in colour-on-colour mode with
// the image's palette selected as a background palette.
#pragma once

#include <windows.h>

#include "dib/canvas.h"

namespace lumeret {

class HdcCanvas : public Canvas {
public:
    explicit HdcCanvas(HDC dc, DWORD copyMode = SRCCOPY) noexcept : dc_(dc), copyMode_(copyMode) {}

    void StretchDib(const Rect& dest, const DibView& image, PaletteHandle palette) override;

    HDC Handle() const noexcept { return dc_; }
    DWORD CopyMode() const noexcept { return copyMode_; }

private:
    HDC dc_;
    DWORD copyMode_;
};

// Paints a memory canvas unscaled with its top-left corner at (left, top).
void PaintMemoryCanvas(HDC dc, const MemoryCanvas& picture, int left, int top);

}  // namespace lumeret
