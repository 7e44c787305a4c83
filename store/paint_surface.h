// Where the bitmap viewer shows its clip: an off-screen picture that holds
// the scaled clip, and the paint box that shows part of it.
#pragma once

#include "dib/canvas.h"
#include "platform/geometry.h"

namespace lumeret {

class IOffscreenPicture {
public:
    virtual ~IOffscreenPicture() = default;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    // The canvas graphics are drawn into.
    virtual Canvas& DrawingCanvas() = 0;
};

class IPaintBox {
public:
    virtual ~IPaintBox() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Any change of size makes the box repaint itself.
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    // Copies rect of the picture onto the same rectangle of the box.
    virtual void CopyFrom(IOffscreenPicture& picture, const Rect& rect) = 0;
};

}  // namespace lumeret
