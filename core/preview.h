// The main window's thumbnail of the clipboard's bitmap: a fixed square
// picture of which only the part the last bitmap was drawn into is shown,
// the size of the box that shows it, and the "not shown" label.
#pragma once

#include "dib/canvas.h"
#include "platform/geometry.h"
#include "platform/signal.h"

namespace lumeret {

class Preview {
public:
    static constexpr int kSide = 113;

    // Whether the last clipboard state handled was a bitmap.
    bool ShowingBitmap() const { return showingBitmap_; }
    // The side of the square box the picture shows in: kSide or 0 (hidden).
    int BoxSide() const { return boxSide_; }
    // Whether the label saying the preview is switched off shows.
    bool OffLabelVisible() const { return offLabelVisible_; }
    // The part of Picture() that holds the current preview, anchored at the
    // top-left corner; pixels outside it keep older pictures and never show.
    const Rect& PictureRect() const { return pictureRect_; }
    const MemoryCanvas& Picture() const { return picture_; }

    // Sets ShowingBitmap and sizes the box by it; tells of a change only.
    void SetShowingBitmap(bool showing);
    // The state of a switched-off preview: no box, the label shows.
    void SwitchOff();
    void SetOffLabelVisible(bool visible);
    // Fits a picture into the square and draws it there.
    void Draw(const DibView& picture);

    // After any change of what the preview shows.
    Signal<> changed;

private:
    bool showingBitmap_ = false;
    int boxSide_ = 0;
    bool offLabelVisible_ = false;
    Rect pictureRect_;
    MemoryCanvas picture_{kSide, kSide};
};

}  // namespace lumeret
