#include "platform/list_box_win32.h"

#include "platform/errors.h"

namespace lumeret {

namespace {
const char kCannotAddRow[] = "ListBox: Cannot Add Row";
}  // namespace

int ListBoxItemAt(HWND listBox, int x, int y) {
    const auto count = static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0));
    if (count <= 0) return -1;
    const LRESULT r = SendMessageW(listBox, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    // The high word flags a point outside every row (below the last one).
    if (HIWORD(r) != 0) return -1;
    // The low word holds the row's index only up to 65,535; every row in view
    // lies within that many rows below the topmost one, which gives the rest.
    const auto top = static_cast<int>(SendMessageW(listBox, LB_GETTOPINDEX, 0, 0));
    const int index = top + static_cast<WORD>(LOWORD(r) - static_cast<WORD>(top));
    return index < count ? index : -1;
}

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
    takingFromControl_ = true;
    rows_.Select(i < 0 ? -1 : static_cast<int>(i));
    takingFromControl_ = false;
}

void ListBoxView::RowInserted(int index, const std::string& caption) {
    LRESULT r = Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(caption.c_str()));
    if (r < 0) throw OutOfResourcesError(kCannotAddRow);
    // The control keeps its selection on its row too; this keeps both alike
    // whatever the control does.
    ShowSelection(rows_.Selected());
}

void ListBoxView::RowRemoved(int index) {
    Send(LB_DELETESTRING, static_cast<WPARAM>(index));
    ShowSelection(rows_.Selected());
}

void ListBoxView::RowsCleared() { Send(LB_RESETCONTENT); }

void ListBoxView::SelectionChanged(int index) {
    ShowSelection(index);
    if (!takingFromControl_ && selectionSet_) selectionSet_();
}

void ListBoxView::ShowSelection(int index) {
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
