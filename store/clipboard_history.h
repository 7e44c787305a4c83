// The in-memory clipboard history, newest first, kept in step with a list of
// rows (entry i is row i).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/row_list.h"

namespace lumeret {

class ClipboardHistory {
public:
    ClipboardHistory(RowList& rows, IClipboard& clipboard);

    // A new text enters at the top; a known text moves to the top (and goes
    // on the clipboard once more). True only when a new entry was inserted.
    bool AddText(std::string text);
    int IndexOf(const std::string& text) const;
    void PushToTop(int index);
    void Delete(int index);
    bool DeleteSelected();
    bool CopySelected();
    void GetSelectedText(std::string& text) const;
    void GetPreview(std::string& text) const;

    int Count() const { return static_cast<int>(texts_.size()); }
    const std::string& Entry(int index) const { return texts_.at(static_cast<std::size_t>(index)); }

    // Whether the clipboard's current contents are the history's own write
    // from PushToTop, whose change report must not start the handling again;
    // also true while that write is under way, for a report that arrives
    // inside it.
    bool IsOwnWrite() const;

private:
    // A new entry at index, with its row.
    void Insert(int index, std::string text);

    std::vector<std::string> texts_;
    RowList& rows_;
    IClipboard& clipboard_;
    bool writingClipboard_ = false;  // inside PushToTop's clipboard write
    bool wroteClipboard_ = false;
    std::uint32_t ownWriteStamp_ = 0;
};

}  // namespace lumeret
