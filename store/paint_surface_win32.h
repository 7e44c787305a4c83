// The bitmap viewer's surfaces on Windows: a bitmap compatible with the
// screen, and a child window that shows part of it.
#pragma once

#include <windows.h>

#include "dib/hdc_canvas_win32.h"
#include "platform/handles_win32.h"
#include "store/paint_surface.h"

namespace lumeret {

class OffscreenBitmap : public IOffscreenPicture {
public:
    OffscreenBitmap();
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    Canvas& DrawingCanvas() override { return canvas_; }

    HDC Dc() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    // Makes a new bitmap of the current size; the picture's old pixels go.
    void Remake();

    UniqueHdc dc_;
    UniqueHbitmap bitmap_;
    HGDIOBJ original_ = nullptr;
    HdcCanvas canvas_;
    int width_ = 0;
    int height_ = 0;
};

class PaintBoxWindow : public IPaintBox {
public:
    explicit PaintBoxWindow(HWND box) : box_(box) {}
    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void CopyFrom(IOffscreenPicture& picture, const Rect& rect) override;

    HWND Handle() const { return box_; }

private:
    void Resize(int width, int height);

    HWND box_;
};

}  // namespace lumeret
