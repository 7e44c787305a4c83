// A LISTBOX control (single selection, unsorted) that shows a RowList: every
// change of the rows is made to the control as well. Captions are ANSI bytes
// and go through the A messages. Neither the control nor the rows are owned.
// The control draws nothing during a batch of changes and is drawn afresh
// after it: a refilled list redraws itself and its scroll bar once, not once
// per row.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/row_list.h"

namespace lumeret {

// The index of the row of listBox at (x, y), in its client coordinates; -1
// where no row lies there (an empty list, or below the last row).
int ListBoxItemAt(HWND listBox, int x, int y);

class ListBoxView : public RowList::Observer {
public:
    // Fills the control with the rows and follows them from then on.
    ListBoxView(HWND listBox, RowList& rows);
    ~ListBoxView();
    ListBoxView(const ListBoxView&) = delete;
    ListBoxView& operator=(const ListBoxView&) = delete;

    // The user moved the selection in the control: the rows follow.
    void TakeSelectionFromControl();
    // Called after the program (not the user in the control) selects a row
    // of the rows, also when it selects the same row again.
    void OnSelectionSet(std::function<void()> selectionSet) { selectionSet_ = std::move(selectionSet); }

    HWND Handle() const { return hwnd_; }
    RowList& Rows() { return rows_; }

    // Throw OutOfResourcesError when the control cannot take a row.
    void RowInserted(int index, const std::string& caption) override;
    void RowRemoved(int index) override;
    void RowsCleared() override;
    void SelectionChanged(int index) override;
    void BatchBegun() override;
    void BatchEnded() override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }

    void ShowSelection(int index);

    HWND hwnd_;
    RowList& rows_;
    bool drawingHeld_ = false;
    bool takingFromControl_ = false;
    std::function<void()> selectionSet_;
};

}  // namespace lumeret
