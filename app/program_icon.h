// The program's icon: a stack of white pages between a red and a blue curved
// arrow, 32 x 32 pixels in the 16 standard colours. The same pixel rows give
// the committed app/lumeret.ico (the executable's icon resource) and the icon
// drawn at run time where no resource is linked in.
#pragma once

#include <cstdint>
#include <string>

#include "platform/glyph.h"

namespace lumeret {

inline constexpr int kProgramIconSize = 32;

// The standard 16-colour palette (0xRRGGBB); an icon pixel's colour index.
const std::uint32_t* StandardPalette16();

const Glyph& ProgramIconGlyph();

// The icon as an .ico file: one 32 x 32, 4-bit image with its AND mask.
std::string ProgramIconFile();

// Bytes of the .ico file's header and its one directory entry; the image
// (BITMAPINFOHEADER, palette, pixels, mask) follows them.
inline constexpr std::size_t kIcoHeaderSize = 6 + 16;

}  // namespace lumeret
