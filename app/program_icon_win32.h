// The program's icon as a Win32 icon handle.
#pragma once

#include <windows.h>

namespace lumeret {

// Resource id of the application icon in lumeret.rc.
inline constexpr int kProgramIconId = 1;

// The 32 x 32 program icon. It comes from the executable's icon resource;
// an executable linked without it (the test programs) gets the same icon
// built from its pixel rows. Lives as long as the program.
HICON ProgramIconHandle();

}  // namespace lumeret
