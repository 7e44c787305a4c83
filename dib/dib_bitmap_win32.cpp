// Dib to and from device-dependent bitmaps.
#include <windows.h>

#include <memory>
#include <vector>

#include "dib/bitmap_win32.h"
#include "dib/dib_errors.h"
#include "dib/dib.h"

namespace lumeret {

void Dib::AssignBitmap(HBITMAP bitmap, PaletteHandle palette) {
    DibAssert(pixels_ != nullptr, "TVyDIB.Assign: InternalDIB Should not be Nil");
    BITMAP description{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(description), &description) == 0) {
        throw InvalidDibError("TVyDIB.Assign: Invalid Bitmap");
    }
    int bitCount = description.bmPlanes * description.bmBitsPixel;
    if (bitCount == 16 || bitCount == 32) {
        bitCount = 24;
    }
    // A bottom-up image with no colour count yet: GetDIBits fills the table.
    auto fresh = std::make_shared<DibPixels>(description.bmWidth, description.bmHeight, bitCount, 0);
    {
        WindowDc screen(nullptr);
        BackgroundPaletteGuard selected(screen.get(), palette);
        const int lines = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(fresh->Height),
                                    fresh->Image.Store.Bits(), reinterpret_cast<BITMAPINFO*>(&fresh->Image.Header),
                                    DIB_RGB_COLORS);
        if (lines == 0) {
            throw InvalidDibError("TVyDIB.Assign: Cannot Read Bitmap");
        }
    }
    if (fresh->Image.Header.biClrUsed == 0) {
        fresh->Image.Header.biClrUsed = static_cast<DWORD>(NumColors(bitCount));
    }
    SwapIn(std::move(fresh));
    ClearPaletteModified();
    Changed();
}

void Dib::AssignTo(BitmapTarget& target) {
    DibAssert(pixels_ != nullptr, "TVyDIB.AssignTo: InternalDIB Should not be Nil");
    target.Bitmap.reset();
    target.Palette.reset();
    target.Height = 0;
    target.Width = 0;

    const int width = pixels_->Width;
    const int height = pixels_->Height;
    WindowDc screen(nullptr);
    UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!bitmap) {
        throw OutOfResourcesError("TVyDIB.AssignTo: Cannot Make Bitmap");
    }
    UniquePalette copy;
    if (PaletteHandle own = GetPalette()) {
        std::vector<PaletteEntry> entries(PaletteSize(own));
        const unsigned n = PaletteGetEntries(own, 0, static_cast<unsigned>(entries.size()), entries.data());
        copy.reset(PaletteCreate(entries.data(), n));
        if (!copy) {
            throw OutOfResourcesError("TVyInternalDIB.MakePalette: Cannot Make Palette");
        }
    }
    UniqueHdc memory(CreateCompatibleDC(screen.get()));
    if (!memory) {
        throw OutOfResourcesError("TVyDIB.AssignTo: Cannot Make Device Context");
    }
    {
        SelectGuard selectedBitmap(memory.get(), bitmap.get());
        BackgroundPaletteGuard selectedPalette(memory.get(), copy.get());
        StretchDIBits(memory.get(), 0, 0, width, height, 0, 0, width, height, pixels_->Image.Store.Bits(),
                      static_cast<const BITMAPINFO*>(pixels_->Image.BitmapInfo()), DIB_RGB_COLORS, SRCCOPY);
    }
    target.Bitmap = std::move(bitmap);
    target.Palette = std::move(copy);
    target.Height = height;
    target.Width = width;
}

}  // namespace lumeret
