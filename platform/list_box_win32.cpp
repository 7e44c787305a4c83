#include "platform/list_box_win32.h"

#include "platform/errors.h"

namespace lumeret {

namespace {
const char kCannotAddRow[] = "ListBox: Cannot Add Row";
}  // namespace

ListBoxView::ListBoxView(HWND listBox, RowList& rows) : hwnd_(listBox), rows_(rows) {
    Send(LB_RESETCONTENT);
    for (int i = 0; i < rows_.Count(); ++i) RowInserted(i, rows_.Row(i));
    SelectionChanged(rows_.Selected());
    rows_.SetObserver(this);
}

ListBoxView::~ListBoxView() {
    rows_.SetObserver(nullptr);
    BatchEnded();  // a view that goes within a batch leaves the control drawing
}

void ListBoxView::TakeSelectionFromControl() {
    LRESULT i = Send(LB_GETCURSEL);
    rows_.Select(i < 0 ? -1 : static_cast<int>(i));
}

void ListBoxView::RowInserted(int index, const std::string& caption) {
    LRESULT r = Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(caption.c_str()));
    if (r < 0) throw OutOfResourcesError(kCannotAddRow);
    // The control keeps its selection on its row too; this keeps both alike
    // whatever the control does.
    SelectionChanged(rows_.Selected());
}

void ListBoxView::RowRemoved(int index) {
    Send(LB_DELETESTRING, static_cast<WPARAM>(index));
    SelectionChanged(rows_.Selected());
}

void ListBoxView::RowsCleared() { Send(LB_RESETCONTENT); }

void ListBoxView::SelectionChanged(int index) {
    // Setting the selection scrolls it into view, so it is set only when it
    // differs.
    if (Send(LB_GETCURSEL) != index) Send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

void ListBoxView::BatchBegun() {
    if (drawingHeld_) return;
    Send(WM_SETREDRAW, FALSE);
    drawingHeld_ = true;
}

void ListBoxView::BatchEnded() {
    if (!drawingHeld_) return;
    drawingHeld_ = false;
    // The control brings its scroll bar up to date itself; its rows are
    // drawn afresh.
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace lumeret
