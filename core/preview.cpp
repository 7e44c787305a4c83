#include "core/preview.h"

namespace lumeret {

void Preview::UpdateBoxSide() {
    boxSide_ = showingBitmap_ ? kSide : 0;
    changed();
}

void Preview::SetShowingBitmap(bool showing) {
    showingBitmap_ = showing;
    UpdateBoxSide();
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

void Preview::Draw(Graphic& graphic) {
    pictureRect_ = FitToFrame(graphic.GetWidth(), graphic.GetHeight(), kSide, kSide);
    graphic.Draw(picture_, pictureRect_);
    changed();
}

}  // namespace lumeret
