// TAboutBox: the version dialog.
#pragma once

#include "platform/window_win32.h"

namespace lumeret {

class TAboutBox : public Window {
public:
    TAboutBox();

    void FormClose();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace lumeret
