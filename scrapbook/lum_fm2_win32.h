// TForm2: the scrapbook window, a tool window beside the main window.
#pragma once

#include "platform/window_win32.h"

namespace lumeret {

class TForm2 : public Window {
public:
    TForm2();

    void FormShow();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace lumeret
