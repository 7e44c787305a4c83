#include "core/app_core.h"

#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "core/status_texts.h"
#include "dib/dib.h"
#include "dib/dib_errors.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "platform/user_text.h"
#include "store/text_export.h"

namespace lumeret {

namespace {
constexpr char kTextExtension[] = "txt";
constexpr char kBitmapExtension[] = "bmp";

// Registered formats by which programs that copy secrets ask clipboard
// keepers to pass their content over. The first two mean it whatever they
// hold; the third holds a 32-bit number, 0 for "do not keep".
constexpr const char* kNeverKeepFormats[] = {"ExcludeClipboardContentFromMonitorProcessing",
                                             "Clipboard Viewer Ignore"};
constexpr char kKeepPermissionFormat[] = "CanIncludeInClipboardHistory";

const char kPictureTooLarge[] = "この画像は大きすぎて扱えません (%s ピクセル)";
}  // namespace

AppCore::AppCore(const Services& services, const std::string& programFolder)
    : clipboard_(services.clipboard),
      folder_(services.folder),
      prompts_(services.prompts),
      settingsFile_(services.settingsFile),
      history_(historyRows_, clipboard_),
      settings_(ReadSettings(settingsFile_)),
      textClips_(textClipRows_, programFolder, kTextExtension, folder_, clipboard_, prompts_),
      bitmapClips_(programFolder, kBitmapExtension, folder_, clipboard_, prompts_, kBitmapFrameSide,
                   kBitmapFrameSide) {
    // What a settings write that was killed left behind.
    folder_.RemoveFile(TemporaryPathFor(settingsFile_.Path()));
    switches_.stayOnTop = settings_.stayOnTop;
    switches_.hidePreview = settings_.hidePreview;
    switches_.confirmDelete = settings_.confirmDelete;
    remembered_ = switches_;
}

void AppCore::LoadClips() {
    // The picture page does not wait on the text list: a text clip that
    // cannot be read is reported, and the first picture shows all the same,
    // as the page's counter already says.
    try {
        textClips_.RefreshList();
    } catch (...) {
        bitmapClips_.ShowItem(1);
        throw;
    }
    bitmapClips_.ShowItem(1);
}

// --- The clipboard ---

void AppCore::OnClipboardReported() {
    if (handledAny_ && clipboard_.ChangeStamp() == handledStamp_) return;
    HandleClipboardChange();
}

bool AppCore::ClipboardIsPrivate() const {
    for (const char* format : kNeverKeepFormats) {
        if (clipboard_.HasNamedFormat(format)) return true;
    }
    if (!clipboard_.HasNamedFormat(kKeepPermissionFormat)) return false;
    // A permission that cannot be read counts as a refusal.
    return clipboard_.NamedFormatNumber(kKeepPermissionFormat).value_or(0) == 0;
}

void AppCore::HandleClipboardChange() {
    // Everything is asked and read under one hold, so that another program's
    // copy cannot slip in between the question whether the content may be
    // kept and its reading; the windows change once the hold has ended, but
    // for the preview: a large picture shows as soon as it is known good,
    // while the rest of it is converted.
    std::optional<std::string> text;
    bool hasBitmap = false;
    Dib* picture = nullptr;
    bool previewedWhileRead = false;
    std::exception_ptr refusal;  // the picture's own fault
    std::exception_ptr failure;  // anything else the reading met
    {
        ClipboardHold hold(clipboard_);
        handledStamp_ = clipboard_.ChangeStamp();
        handledAny_ = true;
        if (ClipboardIsPrivate()) return;
        if (clipboard_.HasFormat(kCfText)) text = clipboard_.Text().value_or(std::string());
        hasBitmap = clipboard_.HasFormat(kCfBitmap);
        if (hasBitmap && !(switches_.hidePreview && !switches_.continuousRegistration)) {
            PixelsCheckedHandler showAtOnce;
            if (!switches_.hidePreview) {
                showAtOnce = [&](const DibView& pixels) {
                    preview_.SetShowingBitmap(true);
                    ShowPreviewOf(pixels);
                    previewedWhileRead = true;
                };
            }
            try {
                picture = ReadableClipboardPicture(refusal, showAtOnce);
            } catch (...) {
                failure = std::current_exception();
            }
        }
    }
    // When both formats are offered, the bitmap's state wins.
    if (text) {
        if (!hasBitmap) preview_.SetShowingBitmap(false);
        RowList::Batch batch(historyRows_);
        history_.AddText(Trim(std::move(*text)));
        historyRows_.Select(0);
    }
    if (!hasBitmap) {
        picture_.reset();
        return;
    }
    preview_.SetShowingBitmap(true);
    historyRows_.Select(-1);
    // The label goes with a preview switched on again, also where the
    // picture cannot be read and the box keeps the one before.
    if (switches_.hidePreview) {
        preview_.SwitchOff();
    } else {
        preview_.SetOffLabelVisible(false);
    }
    if (switches_.hidePreview && !switches_.continuousRegistration) return;
    if (failure) std::rethrow_exception(failure);
    // A picture the program cannot read has no preview; the box keeps the
    // previous one.
    if (!switches_.hidePreview && picture && !previewedWhileRead) ShowPreviewOf(picture->Pixels()->Image);
    if (switches_.continuousRegistration) {
        if (refusal) std::rethrow_exception(refusal);
        RegisterPicture(*picture);
    }
}

Dib& AppCore::ClipboardPicture(const PixelsCheckedHandler& whenChecked) {
    const std::uint32_t stamp = clipboard_.ChangeStamp();
    if (picture_ && pictureStamp_ == stamp) return *picture_;
    // The old picture goes as the new one is read: its store is reused when
    // the new picture has the same size, else given back first.
    if (!picture_) picture_ = std::make_unique<Dib>();
    picture_->OnPixelsChecked = whenChecked;
    try {
        picture_->Assign(clipboard_);
    } catch (const PictureTooLargeError& e) {
        picture_.reset();
        throw Exception(FormatWithData(kPictureTooLarge, std::to_string(e.Width()) + " x " +
                                                             std::to_string(e.Height())));
    } catch (...) {
        picture_.reset();
        throw;
    }
    picture_->OnPixelsChecked = nullptr;
    pictureStamp_ = stamp;
    return *picture_;
}

Dib* AppCore::ReadableClipboardPicture(std::exception_ptr& refusal, const PixelsCheckedHandler& whenChecked) {
    try {
        return &ClipboardPicture(whenChecked);
    } catch (const ClipboardError&) {
        throw;
    } catch (const Exception&) {
        refusal = std::current_exception();
        return nullptr;
    }
}

void AppCore::ShowClipboardPreview() {
    if (!clipboard_.HasFormat(kCfBitmap)) return;
    // The box comes back with the picture it showed before at once, and
    // keeps it where the clipboard's cannot be read.
    ShowPreviewBox();
    Dib* picture = nullptr;
    {
        ClipboardHold hold(clipboard_);
        if (ClipboardIsPrivate()) return;
        std::exception_ptr refusal;
        picture = ReadableClipboardPicture(refusal);
        if (!picture) return;
    }
    preview_.Draw(picture->Pixels()->Image);
}

void AppCore::ShowPreviewBox() {
    preview_.SetOffLabelVisible(false);
    preview_.SetShowingBitmap(preview_.ShowingBitmap());
}

void AppCore::ShowPreviewOf(const DibView& picture) {
    ShowPreviewBox();
    preview_.Draw(picture);
}

void AppCore::RegisterPicture(Dib& picture) {
    bitmapClips_.Add(picture);
    pageWanted(ScrapbookPage::Bitmap);
}

// --- The main window ---

void AppCore::Register() {
    // A picture is read under the hold its question whether it may be kept
    // was asked in; a text comes from the history and needs none.
    ClipboardHold hold(clipboard_, clipboard_.HasFormat(kCfBitmap));
    const bool isPrivate = ClipboardIsPrivate();
    const bool hasBitmap = !isPrivate && clipboard_.HasFormat(kCfBitmap);
    const bool hasText = !isPrivate && clipboard_.HasFormat(kCfText);
    if (hasBitmap) {
        status_.Show(status::kPleaseWait);
        Dib& picture = ClipboardPicture();
        hold.End();
        RegisterPicture(picture);
        status_.Show(status::kBitmapRegistered);
    }
    hold.End();
    if (hasText && historyRows_.Selected() >= 0) {
        pageWanted(ScrapbookPage::Text);
        std::string text;
        history_.GetSelectedText(text);
        if (textClips_.AddText(text)) {
            status_.Show(status::kTextRegistered);
        } else {
            prompts_.Beep(BeepKind::Default);
            status_.ShowAlreadyRegistered();
        }
    }
    if (!hasText && !hasBitmap) {
        prompts_.Beep(BeepKind::Exclamation);
        status_.Show(status::kRegisterEmpty);
    }
}

void AppCore::ClearClipboard() {
    historyRows_.Select(-1);
    picture_.reset();
    clipboard_.Clear();
    preview_.SetShowingBitmap(false);
    status_.Show(status::kCleared);
}

void AppCore::TellClipboardKind() {
    if (clipboard_.HasFormat(kCfText)) {
        status_.Show(status::kIsText);
    } else if (clipboard_.HasFormat(kCfBitmap)) {
        status_.Show(status::kIsBitmap);
    } else {
        status_.Show(status::kIsEmpty);
    }
}

void AppCore::StatusTick() { status_.Tick(); }

UserText AppCore::HistoryHint() const {
    UserText hint;
    history_.GetPreview(hint);
    return hint;
}

void AppCore::CopyHistoryEntry() { history_.CopySelected(); }

void AppCore::RegisterHistoryEntry() {
    history_.CopySelected();
    // The copy's change is handled before the registration, also where the
    // system reports it only later; that later report then finds it handled.
    if (clipboard_.ChangeStamp() != handledStamp_) HandleClipboardChange();
    Register();
}

void AppCore::DeleteHistoryEntry() { history_.DeleteSelected(); }

void AppCore::DeleteAllHistoryEntries() {
    // Each deletion selects a neighbour, so this empties the list when an
    // entry was selected and does nothing when none was.
    RowList::Batch batch(historyRows_);
    const int n = history_.Count();
    for (int i = 0; i < n; ++i) history_.DeleteSelected();
}

void AppCore::PutFileOnClipboard(const std::string& path) {
    const std::string extension = UpperCaseAnsi(ExtractFileExt(path));
    if (extension == ".TXT") {
        clipboard_.SetText(LinesEndedByCrLf(folder_.ReadWholeFile(path)));
    } else if (extension == ".BMP") {
        // The program's own reader checks the file; the system never decodes
        // it, and others get the checked picture as a DIB.
        Dib picture;
        try {
            picture.LoadFromFile(path);
        } catch (const Exception&) {
            throw FileOpenError(path);
        }
        PutOnClipboard(picture, clipboard_);
    }
}

void AppCore::PutTextOnClipboard(const std::string& text) { clipboard_.SetText(text); }

// --- The settings dialog ---

void AppCore::SetSwitches(const Switches& switches) {
    switches_ = switches;
    switchesChanged();
}

void AppCore::RememberSwitches() { remembered_ = switches_; }

void AppCore::RestoreSwitches() {
    switches_ = remembered_;
    switchesChanged();
}

void AppCore::AcceptSwitches() {
    // Every setting is taken before the preview is drawn again: a clipboard
    // another program holds fails the drawing, not the settings.
    settings_.hidePreview = switches_.hidePreview;
    settings_.stayOnTop = switches_.stayOnTop;
    settings_.confirmDelete = switches_.confirmDelete;
    preview_.SetOffLabelVisible(switches_.hidePreview);
    if (switches_.hidePreview) {
        preview_.SwitchOff();
    } else {
        ShowClipboardPreview();
    }
}

// --- The scrapbook ---

UserText AppCore::TextClipHint() {
    UserText hint;
    textClips_.GetPreview(hint);
    return hint;
}

void AppCore::CopyTextClip() { textClips_.CopyToClipboard(); }

void AppCore::DeleteTextClip() { textClips_.DeleteItem(textClipRows_.Selected(), settings_.confirmDelete); }

void AppCore::ExchangeTextClips(int index1, int index2) { textClips_.Exchange(index1, index2); }

void AppCore::ExportTextClip(int index, const std::string& fileName) {
    if (!textClips_.ExportToFile(index, fileName, IsHtmlExportName(fileName))) return;
    settings_.textExportFolder = ExtractFilePath(fileName);
}

void AppCore::CopyBitmapClip() {
    if (switches_.continuousRegistration) {
        switches_.continuousRegistration = false;
        switchesChanged();
    }
    bitmapClips_.CopyToClipboard();
}

void AppCore::DeleteBitmapClip() { bitmapClips_.DeleteCurrent(settings_.confirmDelete); }

void AppCore::ExportBitmapClip(int clip, const std::string& fileName) {
    if (clip <= 0 || clip > bitmapClips_.Count()) return;
    bitmapClips_.ExportToFile(clip, fileName);
    settings_.bitmapExportFolder = ExtractFilePath(fileName);
}

void AppCore::SaveMemo(const std::string& fileName, const std::string& text) {
    SaveFile(folder_, fileName, LinesSeparatedByCrLf(text));
    settings_.memoExportFolder = ExtractFilePath(fileName);
}

// --- Closing ---

void AppCore::KeepSwitchesOnClose() {
    settings_.hidePreview = switches_.hidePreview;
    settings_.stayOnTop = switches_.stayOnTop;
}

void AppCore::SaveSettings(int left, int top) {
    settings_.left = left;
    settings_.top = top;
    WriteSettings(settingsFile_, settings_);
}

}  // namespace lumeret
