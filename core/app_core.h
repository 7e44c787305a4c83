// The application without its windows: the settings, the clipboard history,
// the text and bitmap clips, the preview and the status line, and every
// operation the windows offer. It reaches the system only through the
// interfaces of platform/; the windows show its state and forward what the
// user does.
#pragma once

#include <exception>
#include <memory>
#include <string>

#include "core/preview.h"
#include "core/settings.h"
#include "core/status_line.h"
#include "dib/dib.h"
#include "dib/graphic.h"
#include "platform/clip_folder.h"
#include "platform/clipboard.h"
#include "platform/profile.h"
#include "platform/prompts.h"
#include "platform/row_list.h"
#include "platform/signal.h"
#include "store/bitmap_clip_store.h"
#include "store/clipboard_history.h"
#include "store/text_clip_store.h"

namespace lumeret {

// The scrapbook's pages, in tab order.
enum class ScrapbookPage { Text = 0, Bitmap = 1, Memo = 2 };

// What the settings dialog's four boxes show. Continuous registration and the
// preview switch act at the next clipboard change, the moment they change.
struct Switches {
    bool stayOnTop = false;
    bool continuousRegistration = false;  // this run only, off at every start
    bool hidePreview = false;
    bool confirmDelete = false;
};

class AppCore {
public:
    struct Services {
        IClipboard& clipboard;
        IClipFolder& folder;
        IPrompts& prompts;
        IProfile& settingsFile;
    };

    // The side of the square the bitmap clips are fitted into.
    static constexpr int kBitmapFrameSide = 193;

    // Reads the settings file and renumbers both clip folders (creating them
    // when missing) under programFolder, which ends in "\".
    AppCore(const Services& services, const std::string& programFolder);
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // Fills the text clip rows and shows the first bitmap clip; that clip
    // shows also when a text clip cannot be read, whose error then goes up.
    void LoadClips();

    const Settings& CurrentSettings() const { return settings_; }
    const Switches& CurrentSwitches() const { return switches_; }
    RowList& HistoryRows() { return historyRows_; }
    RowList& TextClipRows() { return textClipRows_; }
    const ClipboardHistory& History() const { return history_; }
    const TextClipStore& TextClips() const { return textClips_; }
    BitmapClipStore& BitmapClips() { return bitmapClips_; }
    Preview& ClipboardPreview() { return preview_; }
    StatusLine& Status() { return status_; }

    // The scrapbook should show a page (after a registration).
    Signal<ScrapbookPage> pageWanted;
    // The switches changed.
    Signal<> switchesChanged;

    // --- The clipboard ---
    // A change notice: handled unless the history's own write caused it or
    // this very change was handled already.
    void OnClipboardReported();
    // Brings the history, the preview and continuous registration in line
    // with the clipboard, as if it had just changed.
    void HandleClipboardChange();

    // --- The main window ---
    // The register button: the clipboard's bitmap and the selected history
    // entry become clips.
    void Register();
    void ClearClipboard();
    // A click on the status line: what the clipboard holds.
    void TellClipboardKind();
    void StatusTick();
    // The selected entry's text as the list's hint; empty with no selection.
    UserText HistoryHint() const;
    void CopyHistoryEntry();
    // Copies the selected entry back and registers it.
    void RegisterHistoryEntry();
    void DeleteHistoryEntry();
    void DeleteAllHistoryEntries();
    // A dropped file: a ".txt" file's lines or a ".bmp" file's picture go on
    // the clipboard (extension in any case); other files are ignored. A BMP
    // file the program cannot read raises FileOpenError.
    void PutFileOnClipboard(const std::string& path);
    void PutTextOnClipboard(const std::string& text);

    // --- The settings dialog ---
    void SetSwitches(const Switches& switches);
    // Remembers the switches as the dialog opens, for a Cancel.
    void RememberSwitches();
    void RestoreSwitches();
    // OK: the switches become the settings and the preview follows its switch.
    void AcceptSwitches();

    // --- The scrapbook ---
    // The selected text clip's first lines, for the list's hint.
    UserText TextClipHint();
    void CopyTextClip();
    void DeleteTextClip();
    void ExchangeTextClips(int index1, int index2);
    // The exports take the clip chosen when the save began: while the save
    // dialog waits, registering may select or show another one.
    void ExportTextClip(int index, const std::string& fileName);
    // The copy button: continuous registration goes off first, so the copy is
    // not registered again.
    void CopyBitmapClip();
    void DeleteBitmapClip();
    void ExportBitmapClip(int clip, const std::string& fileName);
    void SaveMemo(const std::string& fileName, const std::string& text);

    // --- Closing ---
    // The preview and stay-on-top boxes become settings as the main window
    // closes; the delete confirmation changes only through OK.
    void KeepSwitchesOnClose();
    // Writes the settings file with the main window's last position.
    void SaveSettings(int left, int top);

private:
    // Whether the program that put the clipboard's content there marked it as
    // not to be kept (a password, for example): the program then treats the
    // clipboard as holding nothing it could record.
    bool ClipboardIsPrivate() const;
    // The clipboard's picture: a copy of its DIB read and checked by the
    // program's own reader once per change of the clipboard, then kept for
    // the preview, the registration and the register button. A picture
    // beyond the reader's limit is refused with a message that says so.
    // whenChecked, when given, is told of a picture read now as soon as its
    // pixels are known good, before they are converted.
    Dib& ClipboardPicture(const PixelsCheckedHandler& whenChecked = {});
    // The clipboard's picture; nothing, with the picture's own fault in
    // refusal, when it cannot be read. A clipboard that cannot be opened
    // throws.
    Dib* ReadableClipboardPicture(std::exception_ptr& refusal, const PixelsCheckedHandler& whenChecked = {});
    void ShowClipboardPreview();
    // The preview box at its size, without the off label.
    void ShowPreviewBox();
    void ShowPreviewOf(const DibView& picture);
    void RegisterPicture(Dib& picture);

    IClipboard& clipboard_;
    IClipFolder& folder_;
    IPrompts& prompts_;
    IProfile& settingsFile_;

    RowList historyRows_;
    ClipboardHistory history_;
    Settings settings_;
    Switches switches_;
    Switches remembered_;
    RowList textClipRows_;
    TextClipStore textClips_;
    BitmapClipStore bitmapClips_;
    Preview preview_;
    StatusLine status_;

    // The clipboard's picture as last read, and the change stamp it belongs
    // to; it goes as soon as the clipboard holds no picture.
    std::unique_ptr<Dib> picture_;
    std::uint32_t pictureStamp_ = 0;
    // The clipboard's change stamp when a change was last handled.
    std::uint32_t handledStamp_ = 0;
    bool handledAny_ = false;
};

}  // namespace lumeret
