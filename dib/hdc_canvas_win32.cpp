#include "dib/hdc_canvas_win32.h"

#include "platform/handles_win32.h"

namespace lumeret {

void HdcCanvas::StretchDib(const Rect& dest, const DibView& image, PaletteHandle palette) {
    BackgroundPaletteGuard selected(dc_, palette);
    const int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
    StretchDIBits(dc_, dest.Left, dest.Top, dest.Right - dest.Left, dest.Bottom - dest.Top, 0, 0, image.Width(),
                  image.Height(), image.Bits, static_cast<const BITMAPINFO*>(image.Meta.BitmapInfo()), DIB_RGB_COLORS,
                  copyMode_);
    if (oldMode != 0) {
        SetStretchBltMode(dc_, oldMode);
    }
}

}  // namespace lumeret

namespace lumeret {

void PaintMemoryCanvas(HDC dc, const MemoryCanvas& picture, int left, int top) {
    if (picture.Width() <= 0 || picture.Height() <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();  // the canvas's rows run from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, left, top, picture.Width(), picture.Height(), 0, 0, picture.Width(), picture.Height(),
                  picture.Pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace lumeret
