#include "app/program_icon_win32.h"

#include <string>

#include "app/program_icon.h"

namespace lumeret {

HICON ProgramIconHandle() {
    static const HICON icon = [] {
        HICON loaded = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId),
                                                     IMAGE_ICON, kProgramIconSize, kProgramIconSize, LR_DEFAULTCOLOR));
        if (loaded) return loaded;
        std::string file = ProgramIconFile();
        auto* image = reinterpret_cast<BYTE*>(file.data() + kIcoHeaderSize);
        return CreateIconFromResourceEx(image, static_cast<DWORD>(file.size() - kIcoHeaderSize), TRUE, 0x00030000,
                                        kProgramIconSize, kProgramIconSize, LR_DEFAULTCOLOR);
    }();
    return icon;
}

}  // namespace lumeret
