// The scrapbook's button pictures.
#pragma once

#include "platform/glyph.h"

namespace lumeret {

const Glyph& FirstClipGlyph();       // jump to the first clip: bar and left arrow head, 12 x 24
const Glyph& LastClipGlyph();        // jump to the last clip: right arrow head and bar, 12 x 24
const Glyph& FloppyGlyph();          // save button, 16 x 16
const Glyph& FloppyDisabledGlyph();  // the same disk in greys

}  // namespace lumeret
