// A hidden top-level window holding one LISTBOX control, for tests that need
// a real list of rows.
#pragma once

#include <windows.h>

namespace lumeret::test {

class ListBoxHost {
public:
    ListBoxHost() {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        list_ = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY,
                                0, 0, 200, 160, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ListBoxHost(const ListBoxHost&) = delete;
    ListBoxHost& operator=(const ListBoxHost&) = delete;
    ~ListBoxHost() {
        if (parent_) DestroyWindow(parent_);  // takes the list box with it
    }

    HWND List() const { return list_; }

private:
    HWND parent_ = nullptr;
    HWND list_ = nullptr;
};

}  // namespace lumeret::test
