#include "store/bitmap_clip_store.h"

#include "platform/errors.h"
#include "platform/stream.h"
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
    RemoveUnfinishedClips(folder_, baseDir_, ext_);
    clips_ = RenumberFiles(folder_, baseDir_, ext_);
}

const std::string& BitmapClipStore::ClipPath(int index) const { return clips_.at(static_cast<std::size_t>(index - 1)); }

namespace {

void LoadFromBytes(std::string_view bytes, Dib& dib) {
    ReadOnlyMemoryStream stream(bytes.data(), bytes.size());
    dib.LoadFromStream(stream);
}

// A picture's BMP file.
std::string BmpFileOf(const Dib& dib) {
    MemoryStream stream;
    dib.SaveToStream(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

}  // namespace

void BitmapClipStore::LoadClip(int index, Dib& dib) {
    folder_.ViewWholeFile(ClipPath(index), [&dib](std::string_view bytes) { LoadFromBytes(bytes, dib); });
}

std::string BitmapClipStore::CounterText() const {
    int n = current_;
    if (n == 1 && Count() == 0) n = 0;
    return std::to_string(n) + " / " + std::to_string(Count());
}

void BitmapClipStore::SetBoxSize(int width, int height) {
    boxWidth_ = width;
    boxHeight_ = height;
    changed();
}

bool BitmapClipStore::ShowItem(int index) {
    if (Count() == 0) SetBoxSize(0, 0);
    if (index <= 0 || index > Count()) return false;
    try {
        folder_.ViewWholeFile(ClipPath(index), [this](std::string_view bytes) {
            // Pixels that can be drawn where they lie in the file are not
            // copied: the page reads only those it shows.
            DibImage meta;
            if (auto pixels = PixelsInPlace(bytes, meta)) {
                ShowScaled(pixels->Width(), pixels->Height(), [&pixels](Canvas& canvas, const Rect& dest) {
                    canvas.StretchDib(dest, *pixels, pixels->Width(), pixels->Height(), nullptr);
                });
                return;
            }
            Dib dib;
            LoadFromBytes(bytes, dib);
            ShowPicture(dib);
        });
    } catch (const Exception& e) {
        ShowDamaged(ClipPath(index), e.Message());
    }
    return true;
}

void BitmapClipStore::ShowPicture(Dib& picture) {
    ShowScaled(picture.GetWidth(), picture.GetHeight(),
               [&picture](Canvas& canvas, const Rect& dest) { picture.Draw(canvas, dest); });
}

void BitmapClipStore::ShowScaled(std::int32_t width, std::int32_t height,
                                 const std::function<void(Canvas&, const Rect&)>& draw) {
    Rect fitted = FitToFrame(width, height, frameWidth_, frameHeight_);
    MemoryCanvas scaled(fitted.Width(), fitted.Height());
    draw(scaled, fitted);
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
    if (current_ < Count()) {
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
    current_ = Count();
    ShowItem(Count());
}

void BitmapClipStore::Add(Dib& picture) {
    if (picture.GetWidth() <= 0 || picture.GetHeight() <= 0) return;
    clips_.push_back(AddClipFile(folder_, baseDir_, ext_, clips_, BmpFileOf(picture)));
    current_ = Count();
    // The picture in hand is the clip's content: no need to read it back.
    ShowPicture(picture);
}

void BitmapClipStore::DeleteCurrent(bool confirmFirst) {
    if (confirmFirst && current_ >= 1 && current_ <= Count()) {
        prompts_.Beep(BeepKind::Question);
        if (prompts_.AskYesNo(kDeleteQuestion)) RemoveCurrent();
        return;
    }
    RemoveCurrent();
}

void BitmapClipStore::RemoveCurrent() {
    if (current_ <= 0 || current_ > Count()) return;
    if (!folder_.RemoveFile(ClipPath(current_))) prompts_.ShowError(kDeleteFailed);
    clips_ = RenumberFiles(folder_, baseDir_, ext_);
    if (current_ == Count() + 1) --current_;
    ShowItem(current_);
}

void BitmapClipStore::CopyToClipboard() {
    if (current_ <= 0 || Count() <= 0) return;
    Dib dib;
    LoadClip(current_, dib);
    PutOnClipboard(dib, clipboard_);
}

void BitmapClipStore::ExportToFile(const std::string& fileName) {
    if (current_ <= 0 || Count() <= 0) return;
    Dib dib;
    LoadClip(current_, dib);
    SaveFile(folder_, fileName, BmpFileOf(dib));
}

}  // namespace lumeret
