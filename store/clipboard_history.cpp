#include "store/clipboard_history.h"

#include <utility>

#include "platform/text.h"
#include "store/clip_text_limits.h"

namespace lumeret {

ClipboardHistory::ClipboardHistory(RowList& rows, IClipboard& clipboard) : rows_(rows), clipboard_(clipboard) {}

void ClipboardHistory::Insert(int index, std::string text) {
    std::string caption = CutText(text, kCaptionBytes);
    texts_.insert(texts_.begin() + index, std::move(text));
    rows_.Insert(index, caption);
}

bool ClipboardHistory::AddText(std::string text) {
    if (text.empty()) return false;
    RowList::Batch batch(rows_);
    int i = IndexOf(text);
    if (i == -1) {
        Insert(0, std::move(text));
        return true;
    }
    PushToTop(i);
    Delete(i + 1);
    return false;
}

int ClipboardHistory::IndexOf(const std::string& text) const {
    int found = -1;
    for (int i = 0; i < Count(); ++i) {
        if (texts_[static_cast<std::size_t>(i)] == text) found = i;
    }
    return found;
}

void ClipboardHistory::PushToTop(int index) { Insert(0, Entry(index)); }

void ClipboardHistory::Delete(int index) {
    if (index < 0 || index > Count() - 1 || Count() <= 0) return;
    texts_.erase(texts_.begin() + index);
    rows_.Remove(index);
    rows_.Select(0);
}

bool ClipboardHistory::DeleteSelected() {
    int i = rows_.Selected();
    if (i < 0 || Count() <= 0 || i >= Count() || !rows_.IsSelected(i)) return false;
    RowList::Batch batch(rows_);
    texts_.erase(texts_.begin() + i);
    rows_.Remove(i);
    if (i > Count() - 1) --i;
    rows_.Select(i);
    if (Count() == 0) clipboard_.Clear();
    return true;
}

bool ClipboardHistory::CopySelected() {
    int i = rows_.Selected();
    if (i < 0 || i >= Count() || !rows_.IsSelected(i)) return false;
    std::string t = Entry(i);
    Delete(i);
    // The change report of this write brings the text back as entry 0; a
    // write the clipboard refuses puts it back where it was.
    try {
        clipboard_.SetText(t);
    } catch (...) {
        RowList::Batch batch(rows_);
        Insert(i, std::move(t));
        rows_.Select(i);
        throw;
    }
    rows_.Select(0);
    return true;
}

void ClipboardHistory::GetSelectedText(std::string& text) const {
    int i = rows_.Selected();
    if (Count() <= 0 || i < 0 || i >= Count()) return;
    text = Entry(i);
}

void ClipboardHistory::GetPreview(UserText& text) const {
    int i = rows_.Selected();
    if (i < 0 || i >= Count()) return;
    const std::string cut = CutText(Entry(i), kPreviewBytes);
    text = UserText().Data(cut);
    if (cut.size() == kPreviewBytes) text.Words(kContinuationMarker);
}

}  // namespace lumeret
