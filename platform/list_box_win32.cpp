#include "platform/list_box_win32.h"

#include <vector>

#include "platform/errors.h"

namespace lumeret {

namespace {
const char kCannotAddRow[] = "ListBox: Cannot Add Row";
}  // namespace

int ListBoxWin32::Count() const {
    LRESULT n = Send(LB_GETCOUNT);
    return n < 0 ? 0 : static_cast<int>(n);
}

std::string ListBoxWin32::Row(int index) const {
    LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied < 0) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(copied));
}

void ListBoxWin32::Insert(int index, const std::string& caption) {
    LRESULT r = Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(caption.c_str()));
    if (r < 0) throw OutOfResourcesError(kCannotAddRow);
}

void ListBoxWin32::Add(const std::string& caption) {
    LRESULT r = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    if (r < 0) throw OutOfResourcesError(kCannotAddRow);
}

void ListBoxWin32::Remove(int index) { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }

void ListBoxWin32::Clear() { Send(LB_RESETCONTENT); }

int ListBoxWin32::Selected() const {
    LRESULT i = Send(LB_GETCURSEL);
    return i < 0 ? -1 : static_cast<int>(i);
}

void ListBoxWin32::Select(int index) {
    // -1 takes the selection away; an index past the rows must do the same.
    if (index < 0 || index >= Count()) index = -1;
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

bool ListBoxWin32::IsSelected(int index) const {
    return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

}  // namespace lumeret
