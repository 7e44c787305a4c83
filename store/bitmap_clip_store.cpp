#include "store/bitmap_clip_store.h"

#include "dib/dib.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "store/clip_numbering.h"

namespace lumeret {

namespace {
const char kDeleteQuestion[] = "このビットマップを削除しますか";
const char kDeleteFailed[] = "ファイルの削除に失敗しました";
}  // namespace

BitmapClipStore::BitmapClipStore(std::string baseDir, std::string ext, IClipFolder& folder,
                                 IClipboard& clipboard, IPrompts& prompts, int frameWidth, int frameHeight)
    : baseDir_(std::move(baseDir)),
      ext_(std::move(ext)),
      folder_(folder),
      clipboard_(clipboard),
      prompts_(prompts),
      frameWidth_(frameWidth),
      frameHeight_(frameHeight) {
    folder_.MakeDirectory(baseDir_ + ext_);
    RenumberFiles(folder_, baseDir_, ext_, count_);
}

std::string BitmapClipStore::ClipPath(int index) const { return ClipFileName(baseDir_, ext_, index - 1); }

std::string BitmapClipStore::CounterText() const {
    int n = current_;
    if (n == 1 && count_ == 0) n = 0;
    return std::to_string(n) + " / " + std::to_string(count_);
}

void BitmapClipStore::SetBoxSize(int width, int height) {
    boxWidth_ = width;
    boxHeight_ = height;
    changed();
}

bool BitmapClipStore::ShowItem(int index) {
    if (count_ == 0) SetBoxSize(0, 0);
    if (index <= 0 || index > count_) return false;
    const std::string path = ClipPath(index);
    Dib dib;
    try {
        dib.LoadFromFile(path);
    } catch (const Exception& e) {
        ShowDamaged(path, e.Message());
        return true;
    }
    ShowPicture(dib);
    return true;
}

void BitmapClipStore::ShowPicture(Dib& picture) {
    Rect fitted = FitToFrame(picture.GetWidth(), picture.GetHeight(), frameWidth_, frameHeight_);
    MemoryCanvas scaled(fitted.Width(), fitted.Height());
    picture.Draw(scaled, fitted);
    damagedName_.clear();
    damageReason_.clear();
    drawRect_ = fitted;
    shown_ = std::move(scaled);
    SetBoxSize(drawRect_.Right, drawRect_.Bottom);
}

void BitmapClipStore::ShowDamaged(const std::string& path, const std::string& reason) {
    damagedName_ = ExtractFileName(path);
    damageReason_ = reason;
    // The whole frame, for the file's name and the reason.
    drawRect_ = {0, 0, frameWidth_, frameHeight_};
    shown_ = MemoryCanvas(0, 0);
    SetBoxSize(frameWidth_, frameHeight_);
}

void BitmapClipStore::Next() {
    if (current_ < count_) {
        ++current_;
        ShowItem(current_);
    }
}

void BitmapClipStore::Prior() {
    if (current_ > 1) {
        --current_;
        ShowItem(current_);
    }
}

void BitmapClipStore::First() {
    current_ = 1;
    ShowItem(1);
}

void BitmapClipStore::Last() {
    current_ = count_;
    ShowItem(count_);
}

void BitmapClipStore::Add(Dib& picture) {
    std::string path = ClipPath(count_ + 1);
    try {
        picture.SaveToFile(path);
    } catch (...) {
        // A clip written half-way would be taken in as a broken clip
        // at the next scan.
        folder_.RemoveFile(path);
        throw;
    }
    ++count_;
    current_ = count_;
    // The picture in hand is the clip's content: no need to read it back.
    ShowPicture(picture);
}

void BitmapClipStore::DeleteCurrent(bool confirmFirst) {
    if (confirmFirst && current_ >= 1 && current_ <= count_) {
        prompts_.Beep(BeepKind::Question);
        if (prompts_.AskYesNo(kDeleteQuestion)) RemoveCurrent();
        return;
    }
    RemoveCurrent();
}

void BitmapClipStore::RemoveCurrent() {
    if (current_ <= 0 || current_ > count_) return;
    if (!folder_.RemoveFile(ClipPath(current_))) prompts_.ShowError(kDeleteFailed);
    RenumberFiles(folder_, baseDir_, ext_, count_);
    if (current_ == count_ + 1) --current_;
    ShowItem(current_);
}

void BitmapClipStore::CopyToClipboard() {
    if (current_ <= 0 || count_ <= 0) return;
    Dib dib;
    dib.LoadFromFile(ClipPath(current_));
    PutOnClipboard(dib, clipboard_);
}

void BitmapClipStore::ExportToFile(const std::string& fileName) {
    if (current_ <= 0 || count_ <= 0) return;
    Dib dib;
    dib.LoadFromFile(ClipPath(current_));
    dib.SaveToFile(fileName);
}

}  // namespace lumeret
