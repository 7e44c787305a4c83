// The in-memory clipboard history, newest first, kept in step with a list of
// rows (entry i is row i).
#pragma once

#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/row_list.h"
#include "platform/user_text.h"

namespace lumeret {

class ClipboardHistory {
public:
    ClipboardHistory(RowList& rows, IClipboard& clipboard);

    // A new text enters at the top; a known text moves to the top. The
    // clipboard keeps what the other program put there, all its formats and
    // the text as it was copied. True only when a new entry was inserted.
    bool AddText(std::string text);
    int IndexOf(const std::string& text) const;
    // A copy of entry index at the top; the entry itself stays.
    void PushToTop(int index);
    void Delete(int index);
    bool DeleteSelected();
    bool CopySelected();
    void GetSelectedText(std::string& text) const;
    // The selected entry's first 256 bytes, and the program's continuation
    // marker where the entry is longer.
    void GetPreview(UserText& text) const;

    int Count() const { return static_cast<int>(texts_.size()); }
    const std::string& Entry(int index) const { return texts_.at(static_cast<std::size_t>(index)); }

private:
    // A new entry at index, with its row.
    void Insert(int index, std::string text);

    std::vector<std::string> texts_;
    RowList& rows_;
    IClipboard& clipboard_;
};

}  // namespace lumeret
