// Dib against the real GDI and clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "bmp_builder.h"
#include "dib/bitmap_win32.h"
#include "dib/dib_errors.h"
#include "dib/hdc_canvas_win32.h"
#include "platform/clipboard_win32.h"
#include "dib/dib.h"

namespace lumeret {
namespace {

using test::Load;
using test::Quad;
using test::Save;

// A top-down DIB section of the given depth selected into a memory DC.
class Surface {
public:
    Surface(int width, int height, int bits = 32) {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = width;
        info.header.biHeight = -height;
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(bits);
        info.header.biClrUsed = bits <= 8 ? (1u << bits) : 0;
        for (int i = 0; i < 256; ++i) {
            info.colors[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0};
        }
        void* pixels = nullptr;
        bitmap.reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels,
                                      nullptr, 0));
        bits_ = static_cast<std::uint8_t*>(pixels);
        dc.reset(CreateCompatibleDC(nullptr));
        old_ = SelectObject(dc.get(), bitmap.get());
        PatBlt(dc.get(), 0, 0, width, height, WHITENESS);
        GdiFlush();
    }
    ~Surface() { SelectObject(dc.get(), old_); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        return GetPixel(dc.get(), x, y);
    }
    std::uint8_t* Bits() const { return bits_; }

    UniqueHbitmap bitmap;
    UniqueHdc dc;

private:
    HGDIOBJ old_ = nullptr;
    std::uint8_t* bits_ = nullptr;
};

TEST(DibGdi, DrawStretchesTheWholeImageIntoTheRectangle) {
    Dib dib;
    Load(dib, Quad());
    Surface surface(8, 8);
    HdcCanvas canvas(surface.dc.get());
    dib.Draw(canvas, {2, 2, 6, 6});
    EXPECT_EQ(surface.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(5, 2), RGB(0, 255, 0));
    EXPECT_EQ(surface.At(2, 5), RGB(0, 0, 255));
    EXPECT_EQ(surface.At(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(GetStretchBltMode(surface.dc.get()), BLACKONWHITE);  // restored
}

TEST(DibGdi, DrawIntoZeroWidthDrawsNothing) {
    Dib dib;
    Load(dib, Quad());
    Surface surface(4, 4);
    HdcCanvas canvas(surface.dc.get());
    EXPECT_NO_THROW(dib.Draw(canvas, {1, 0, 1, 4}));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(surface.At(x, y), RGB(255, 255, 255));
        }
    }
}

TEST(DibGdi, AssignFromThirtyTwoAndSixteenBitBitmapsGivesTwentyFourBits) {
    for (int bits : {32, 16}) {
        Surface surface(3, 2, bits);
        SetPixel(surface.dc.get(), 0, 0, RGB(255, 0, 0));
        SetPixel(surface.dc.get(), 2, 1, RGB(0, 0, 255));
        GdiFlush();
        Dib dib;
        int changes = 0;
        dib.OnChange = [&](Graphic&) { ++changes; };
        dib.AssignBitmap(surface.bitmap.get(), nullptr);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(dib.GetWidth(), 3);
        EXPECT_EQ(dib.GetHeight(), 2);
        const auto& image = dib.Pixels()->Image;
        EXPECT_EQ(image.Header.biBitCount, 24);
        EXPECT_EQ(image.Header.biClrUsed, 0u);
        EXPECT_EQ(PixelColor(image, 0, 0), 0xFF0000u) << bits;
        EXPECT_EQ(PixelColor(image, 2, 1), 0x0000FFu) << bits;
        EXPECT_EQ(PixelColor(image, 1, 0), 0xFFFFFFu) << bits;
    }
}

TEST(DibGdi, AssignFromAnEightBitBitmapKeeps256Colours) {
    Surface surface(4, 2, 8);
    surface.Bits()[1] = 200;  // top row, second pixel
    Dib dib;
    dib.AssignBitmap(surface.bitmap.get(), nullptr);
    const auto& image = dib.Pixels()->Image;
    EXPECT_EQ(image.Header.biBitCount, 8);
    EXPECT_EQ(image.Header.biClrUsed, 256u);
    EXPECT_EQ(image.Colors[200].rgbBlue, 200);
    EXPECT_EQ(PixelColor(image, 1, 0), (7u << 16) | (55u << 8) | 200u);
}

TEST(DibGdi, FailedBitmapAssignLeavesTheImage) {
    Dib dib;
    Load(dib, Quad());
    EXPECT_THROW(dib.AssignBitmap(nullptr, nullptr), InvalidDibError);
    EXPECT_EQ(Save(dib), Quad());
}

TEST(DibGdi, AssignToABitmapSizesItAndDrawsTheImage) {
    Dib dib;
    Load(dib, Quad());
    BitmapTarget target;
    dib.AssignTo(target);
    ASSERT_TRUE(target.Bitmap);
    EXPECT_EQ(target.Width, 2);
    EXPECT_EQ(target.Height, 2);
    ASSERT_TRUE(target.Palette);
    EXPECT_NE(target.Palette.get(), dib.GetPalette());  // a copy, not the storage's own
    EXPECT_EQ(PaletteSize(target.Palette.get()), 4u);

    UniqueHdc dc(CreateCompatibleDC(nullptr));
    SelectGuard selected(dc.get(), target.Bitmap.get());
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 1, 1), RGB(255, 255, 255));

    // And back: the bitmap gives the same colours.
    Dib back;
    back.AssignBitmap(target.Bitmap.get(), target.Palette.get());
    EXPECT_EQ(PixelColor(back.Pixels()->Image, 1, 0), 0x00FF00u);
}

TEST(DibClipboard, PutAndReadBackThroughTheRealClipboard) {
    Dib dib;
    Load(dib, Quad());
    ClipboardWin32 clipboard;
    PutOnClipboard(dib, clipboard);
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_DIB));

    Dib back;
    back.Assign(clipboard);
    EXPECT_EQ(Save(back), Save(dib));
    // The clipboard is closed again: another open succeeds at once.
    ASSERT_TRUE(OpenClipboard(nullptr));
    CloseClipboard();
}

TEST(DibClipboard, TextOnlyClipboardIsAnInvalidFormat) {
    ClipboardWin32 clipboard;
    clipboard.SetText("abc");
    Dib dib;
    test::ExpectError<InvalidDibError>([&] { dib.Assign(clipboard); },
                                        "TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
}

TEST(DibClipboard, APlainBitmapOnTheClipboardIsReadAsDib) {
    Surface surface(3, 3, 32);
    SetPixel(surface.dc.get(), 1, 1, RGB(0, 255, 0));
    GdiFlush();
    Dib source;
    source.AssignBitmap(surface.bitmap.get(), nullptr);
    BitmapTarget target;
    source.AssignTo(target);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (SetClipboardData(CF_BITMAP, target.Bitmap.get())) target.Bitmap.release();  // the clipboard's now
    CloseClipboard();
    ClipboardWin32 clipboard;
    Dib dib;
    dib.Assign(clipboard);
    EXPECT_EQ(dib.GetWidth(), 3);
    EXPECT_EQ(PixelColor(dib.Pixels()->Image, 1, 1), 0x00FF00u);
}

}  // namespace
}  // namespace lumeret
