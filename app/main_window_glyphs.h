// The main window's button pictures.
#pragma once

#include "platform/glyph.h"

namespace lumeret {

const Glyph& WrenchGlyph();        // settings button, 12 x 12, dark red
const Glyph& ClearGlyph();         // CLEAR button, 21 x 12, olive letters
const Glyph& BookGlyph();          // scrapbook button, 16 x 16, blue
const Glyph& BookDisabledGlyph();  // the same book in grey

}  // namespace lumeret
