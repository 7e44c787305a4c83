#include "core/preview.h"

namespace lumeret {

void Preview::SetShowingBitmap(bool showing) {
    const int side = showing ? kSide : 0;
    // Every text copied sets this again: the window hears only of a change.
    if (showing == showingBitmap_ && side == boxSide_) return;
    showingBitmap_ = showing;
    boxSide_ = side;
    changed();
}

void Preview::SwitchOff() {
    boxSide_ = 0;
    offLabelVisible_ = true;
    changed();
}

void Preview::SetOffLabelVisible(bool visible) {
    offLabelVisible_ = visible;
    changed();
}

void Preview::Draw(const DibView& picture) {
    pictureRect_ = FitToFrame(picture.Width(), picture.Height(), kSide, kSide);
    picture_.StretchDib(pictureRect_, picture, nullptr);
    changed();
}

}  // namespace lumeret
