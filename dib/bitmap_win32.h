// A device-dependent bitmap with its palette, as Dib::AssignTo fills it.
#pragma once

#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/palette.h"

namespace lumeret {

struct BitmapTarget {
    UniqueHbitmap Bitmap;   // compatible with the screen
    UniquePalette Palette;  // a copy of the image's palette, or none
    int Width = 0;
    int Height = 0;
};

}  // namespace lumeret
