#include "store/bitmap_clip_store.h"

#include "dib/dib.h"
#include "platform/on_off.h"
#include "store/clip_numbering.h"

namespace lumeret {

namespace {
const char kDeleteQuestion[] = "このビットマップを削除しますか";
const char kDeleteFailed[] = "ファイルの削除に失敗しました";
constexpr unsigned kCfBitmapFormat = 2;
}  // namespace

BitmapClipStore::BitmapClipStore(IPaintBox& paintBox, IOffscreenPicture& buffer, std::string baseDir,
                                 std::string ext, IClipFolder& folder, ClipboardObject& clipboard,
                                 IPrompts& prompts, const std::string& deleteCheck)
    : BaseDir_(std::move(baseDir)),
      Ext_(std::move(ext)),
      PaintBox_(paintBox),
      Buffer_(buffer),
      folder_(folder),
      clipboard_(clipboard),
      prompts_(prompts),
      deleteCheck_(deleteCheck) {
    folder_.MakeDirectory(BaseDir_ + Ext_);
    RenumberFiles(folder_, BaseDir_, Ext_, Count_);
    Buffer_.SetWidth(PaintBox_.Width());
    Buffer_.SetHeight(PaintBox_.Height());
    FrameWidth_ = PaintBox_.Width();
    FrameHeight_ = PaintBox_.Height();
    Current_ = 1;
}

std::string BitmapClipStore::ClipPath(int index) const { return ClipFileName(BaseDir_, Ext_, index - 1); }

Rect BitmapClipStore::FitRect(const Graphic& graphic) const {
    return FitToFrame(graphic.GetWidth(), graphic.GetHeight(), FrameWidth_, FrameHeight_);
}

void BitmapClipStore::ResizeBuffer() {
    Buffer_.SetWidth(DrawRect_.Right);
    Buffer_.SetHeight(DrawRect_.Bottom);
}

// Passing through 0 x 0 changes the size every time, so the box repaints
// even when the new clip has the old one's size.
void BitmapClipStore::ResizePaintBox() {
    PaintBox_.SetWidth(0);
    PaintBox_.SetHeight(0);
    PaintBox_.SetWidth(DrawRect_.Right);
    PaintBox_.SetHeight(DrawRect_.Bottom);
}

bool BitmapClipStore::ShowItem(int index) {
    if (Count_ == 0) {
        PaintBox_.SetWidth(0);
        PaintBox_.SetHeight(0);
    }
    if (index <= 0 || index > Count_) return false;
    Dib dib;
    // A clip that cannot be read leaves the clip on show as it was.
    dib.LoadFromFile(ClipPath(index));
    DrawRect_ = FitRect(dib);
    ResizeBuffer();
    ResizePaintBox();
    dib.Draw(Buffer_.DrawingCanvas(), DrawRect_);
    Paint();
    return true;
}

void BitmapClipStore::Next() {
    if (Current_ < Count_) {
        ++Current_;
        ShowItem(Current_);
    }
}

void BitmapClipStore::Prior() {
    if (Current_ > 1) {
        --Current_;
        ShowItem(Current_);
    }
}

void BitmapClipStore::First() {
    Current_ = 1;
    ShowItem(1);
}

void BitmapClipStore::Last() {
    Current_ = Count_;
    ShowItem(Count_);
}

bool BitmapClipStore::AddFromClipboard() {
    bool offered = clipboard_.HasFormat(kCfBitmapFormat);
    if (offered) {
        Dib dib;
        dib.Assign(clipboard_);
        if (dib.GetWidth() > 0 && dib.GetHeight() > 0) {
            std::string path = ClipPath(Count_ + 1);
            try {
                dib.SaveToFile(path);
            } catch (...) {
                // A clip written half-way would be taken in as a broken clip
                // at the next scan.
                folder_.RemoveFile(path);
                throw;
            }
            ++Count_;
        }
    }
    Current_ = Count_;
    ShowItem(Count_);
    return offered;
}

void BitmapClipStore::DeleteCurrent() {
    if (IsOn(deleteCheck_) && Current_ >= 1 && Current_ <= Count_) {
        prompts_.Beep(BeepKind::Question);
        if (prompts_.AskYesNo(kDeleteQuestion)) RemoveCurrent();
        return;
    }
    RemoveCurrent();
}

void BitmapClipStore::RemoveCurrent() {
    if (Current_ <= 0 || Current_ > Count_) return;
    if (!folder_.RemoveFile(ClipPath(Current_))) prompts_.ShowError(kDeleteFailed);
    RenumberFiles(folder_, BaseDir_, Ext_, Count_);
    if (Current_ == Count_ + 1) --Current_;
    ShowItem(Current_);
}

void BitmapClipStore::CopyToClipboard() {
    if (Current_ <= 0 || Count_ <= 0) return;
    Dib dib;
    dib.LoadFromFile(ClipPath(Current_));
    PutOnClipboard(dib, clipboard_);
}

void BitmapClipStore::ExportToFile(const std::string& fileName) {
    if (Current_ <= 0 || Count_ <= 0) return;
    Dib dib;
    dib.LoadFromFile(ClipPath(Current_));
    dib.SaveToFile(fileName);
}

void BitmapClipStore::Paint() { PaintBox_.CopyFrom(Buffer_, DrawRect_); }

}  // namespace lumeret
