// The rows of a LISTBOX control (single selection, unsorted). Captions are
// ANSI bytes and go through the A messages. The control is not owned.
#pragma once

#include <windows.h>

#include "platform/list_rows.h"

namespace lumeret {

class ListBoxWin32 : public IListRows {
public:
    explicit ListBoxWin32(HWND listBox) : hwnd_(listBox) {}

    int Count() const override;
    // The control keeps its rows as characters, so a caption cut inside a
    // double-byte character may not read back byte for byte.
    std::string Row(int index) const override;
    // Throws OutOfResourcesError when the control cannot take the row.
    void Insert(int index, const std::string& caption) override;
    void Add(const std::string& caption) override;
    void Remove(int index) override;
    void Clear() override;
    int Selected() const override;
    void Select(int index) override;
    bool IsSelected(int index) const override;

    HWND Handle() const { return hwnd_; }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }

    HWND hwnd_;
};

}  // namespace lumeret
