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

// A picture's BMP file.
MemoryStream BmpFileOf(const DibView& picture) {
    MemoryStream file;
    WriteBmpFile(picture, file);
    return file;
}

std::string_view BytesOf(const MemoryStream& file) {
    return {reinterpret_cast<const char*>(file.Bytes().data()), file.Bytes().size()};
}

}  // namespace

void BitmapClipStore::UseClip(int index, const std::function<void(const DibView&)>& use) {
    folder_.ViewWholeFile(ClipPath(index), [&use](std::string_view bytes) {
        DibImage meta;
        if (auto pixels = PixelsInPlace(bytes, meta)) {
            use(*pixels);
            return;
        }
        Dib dib;
        ReadOnlyMemoryStream stream(bytes.data(), bytes.size());
        dib.LoadFromStream(stream);
        use(dib.Pixels()->Image);
    });
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
        UseClip(index, [this](const DibView& picture) { ShowPicture(picture); });
    } catch (const Exception& e) {
        ShowDamaged(ClipPath(index), e.Message());
    }
    return true;
}

void BitmapClipStore::ShowPicture(const DibView& picture) {
    Rect fitted = FitToFrame(picture.Width(), picture.Height(), frameWidth_, frameHeight_);
    MemoryCanvas scaled(fitted.Width(), fitted.Height());
    scaled.StretchDib(fitted, picture, nullptr);
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
    const DibView pixels = picture.Pixels()->Image;
    clips_.push_back(AddClipFile(folder_, baseDir_, ext_, clips_, BytesOf(BmpFileOf(pixels))));
    current_ = Count();
    // The picture in hand is the clip's content: no need to read it back.
    ShowPicture(pixels);
}

void BitmapClipStore::DeleteCurrent(bool confirmFirst) {
    if (confirmFirst && current_ >= 1 && current_ <= Count()) {
        // While the question waits, pictures may still be registered and
        // shown; new clips only ever come last, so the number asked about
        // still names the clip asked about.
        const int asked = current_;
        prompts_.Beep(BeepKind::Question);
        if (!prompts_.AskYesNo(kDeleteQuestion)) return;
        current_ = asked;
    }
    RemoveCurrent();
}

void BitmapClipStore::RemoveCurrent() {
    if (current_ <= 0 || current_ > Count()) return;
    if (!folder_.RemoveFile(ClipPath(current_))) prompts_.ShowError(kDeleteFailed);
    clips_ = RenumberFiles(folder_, baseDir_, ext_);
    // The last clip's deletion shows the one before; clips removed outside
    // the program may have taken more.
    if (current_ > Count()) current_ = Count();
    ShowItem(current_);
}

void BitmapClipStore::CopyToClipboard() {
    if (current_ <= 0 || Count() <= 0) return;
    UseClip(current_, [this](const DibView& picture) {
        clipboard_.SetBlock(kCfDib, PackedDibBlock(picture), UniquePalette());
    });
}

void BitmapClipStore::ExportToFile(int clip, const std::string& fileName) {
    if (clip <= 0 || clip > Count()) return;
    // Written once the clip's file is let go: the user may have chosen it.
    MemoryStream file;
    UseClip(clip, [&file](const DibView& picture) { file = BmpFileOf(picture); });
    SaveFile(folder_, fileName, BytesOf(file));
}

}  // namespace lumeret
