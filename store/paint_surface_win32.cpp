#include "store/paint_surface_win32.h"

namespace lumeret {

OffscreenBitmap::OffscreenBitmap() : dc_(CreateCompatibleDC(nullptr)), canvas_(dc_.get()) {}

void OffscreenBitmap::SetWidth(int width) {
    width_ = width;
    Remake();
}

void OffscreenBitmap::SetHeight(int height) {
    height_ = height;
    Remake();
}

void OffscreenBitmap::Remake() {
    if (original_) SelectObject(dc_.get(), original_);
    original_ = nullptr;
    bitmap_.reset();
    if (width_ <= 0 || height_ <= 0) return;
    WindowDc screen(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width_, height_));
    if (bitmap_) original_ = SelectObject(dc_.get(), bitmap_.get());
}

int PaintBoxWindow::Width() const {
    RECT r{};
    GetClientRect(box_, &r);
    return r.right;
}

int PaintBoxWindow::Height() const {
    RECT r{};
    GetClientRect(box_, &r);
    return r.bottom;
}

void PaintBoxWindow::SetWidth(int width) { Resize(width, Height()); }
void PaintBoxWindow::SetHeight(int height) { Resize(Width(), height); }

void PaintBoxWindow::Resize(int width, int height) {
    SetWindowPos(box_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(box_, nullptr, FALSE);
}

void PaintBoxWindow::CopyFrom(IOffscreenPicture& picture, const Rect& rect) {
    auto& bitmap = static_cast<OffscreenBitmap&>(picture);
    WindowDc dc(box_);
    BitBlt(dc.get(), rect.Left, rect.Top, rect.Width(), rect.Height(), bitmap.Dc(), rect.Left, rect.Top, SRCCOPY);
}

}  // namespace lumeret
