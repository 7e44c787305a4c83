#include "dib/hdc_canvas_win32.h"

#include "platform/handles_win32.h"

namespace lumeret {

void HdcCanvas::StretchDib(const Rect& dest, const DibImage& image, std::int32_t width,
                           std::int32_t height, PaletteHandle palette) {
    BackgroundPaletteGuard selected(dc_, palette);
    const int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
    StretchDIBits(dc_, dest.Left, dest.Top, dest.Right - dest.Left, dest.Bottom - dest.Top, 0, 0, width,
                  height, image.Store.Bits(), static_cast<const BITMAPINFO*>(image.BitmapInfo()), DIB_RGB_COLORS,
                  copyMode_);
    if (oldMode != 0) {
        SetStretchBltMode(dc_, oldMode);
    }
}

}  // namespace lumeret
