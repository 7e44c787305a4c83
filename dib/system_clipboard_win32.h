// The system clipboard as a ClipboardObject.
#pragma once

#include <windows.h>

#include "dib/graphic.h"

namespace lumeret {

class SystemClipboard : public ClipboardObject {
public:
    // owner becomes the clipboard's owner when it is emptied (may be null).
    explicit SystemClipboard(HWND owner = nullptr) noexcept : owner_(owner) {}
    void SetOwner(HWND owner) noexcept { owner_ = owner; }
    ~SystemClipboard() override;
    SystemClipboard(const SystemClipboard&) = delete;
    SystemClipboard& operator=(const SystemClipboard&) = delete;

    // Another program may hold the clipboard for a moment: a few tries with a
    // growing pause before ClipboardError.
    void Open() override;
    void Close() override;
    bool HasFormat(unsigned format) override;
    void* GetAsHandle(unsigned format) override;
    void Clear() override;
    void SetAsHandle(unsigned format, void* handle) override;

private:
    HWND owner_;
    int depth_ = 0;
};

}  // namespace lumeret
