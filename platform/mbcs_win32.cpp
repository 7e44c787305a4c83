#include <windows.h>

#include "platform/text.h"

namespace lumeret {

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

}  // namespace lumeret
