#include "platform/text.h"

namespace lumeret {

// The native build has no system code page; it reads texts as Shift-JIS, the
// code page the program is made for.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace lumeret
