// The text clips: the user's registered texts are numbered files in the
// folder BaseDir + Ext ("txt"), and a list of rows shows one caption per
// file, row i for clip i.
#pragma once

#include <string>
#include <vector>

#include "platform/clip_folder.h"
#include "platform/clipboard.h"
#include "platform/row_list.h"
#include "platform/prompts.h"

namespace lumeret {

class TextClipStore {
public:
    // Remembers its partners, creates the clip folder when it is missing and
    // renumbers it; the rows are filled by the owner's RefreshList.
    TextClipStore(RowList& rows, std::string baseDir, std::string ext, IClipFolder& folder, IClipboard& clipboard,
                  IPrompts& prompts);

    TextClipStore(const TextClipStore&) = delete;
    TextClipStore& operator=(const TextClipStore&) = delete;

    // Rebuilds the rows: one caption per existing clip file, in number order.
    void RefreshList();
    // Registers text (trimmed by the caller) as the new last clip. False, with
    // the equal clip's row selected, when an identical clip exists.
    bool AddText(const std::string& text);
    // Number of the clip whose text equals text byte for byte; the highest
    // one wins; -1 when none.
    int IndexOfText(const std::string& text);
    // Deletes clip index (the selected row), asking the user first when
    // confirmFirst.
    void DeleteItem(int index, bool confirmFirst);
    // Deletes the file of clip index without asking, renumbers, refreshes the
    // rows and selects row index. False when nothing was attempted.
    bool DeleteClipFile(int index);
    // Puts the selected clip's text on the clipboard. False when no row is
    // selected or the store is empty.
    bool CopyToClipboard();
    // Preview of the selected clip: up to 16 lines and 256 bytes, with the
    // continuation marker after 16 lines; empty when nothing is selected.
    void GetPreview(std::string& text);
    // Swaps two clips: their files and their captions.
    void Exchange(int index1, int index2);
    // Writes the selected clip to fileName, as an HTML page when asHtml.
    // False, writing nothing, when no row is selected.
    bool ExportToFile(const std::string& fileName, bool asHtml);

    int Count() const { return count_; }
    const std::string& BaseDir() const { return baseDir_; }
    const std::string& Ext() const { return ext_; }
    // The full path of clip number.
    std::string ClipPath(int number) const;

private:
    std::vector<std::string> ReadLines(int number);
    std::string ReadClipText(int number);
    void Rename(const std::string& from, const std::string& to);

    std::string ext_;
    RowList& rows_;
    std::string baseDir_;
    int count_ = 0;
    IClipFolder& folder_;
    IClipboard& clipboard_;
    IPrompts& prompts_;
};

// The stored form of a text: its lines, each followed by CR LF.
std::string ClipFileContent(const std::string& text);

// The caption a clip's row shows.
std::string ClipCaption(const std::string& text);

}  // namespace lumeret
