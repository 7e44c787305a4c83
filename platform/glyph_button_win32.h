// Owner-drawn speed buttons: a raised face, pressed when held, with either a
// coloured caption or a small picture.
#pragma once

#include <windows.h>

#include <string>

#include "platform/glyph.h"

namespace lumeret {

struct GlyphButtonStyle {
    std::string caption;  // code page 932
    COLORREF textColor = RGB(0, 0, 0);
    const Glyph* glyph = nullptr;
    const Glyph* disabledGlyph = nullptr;  // shown while the button is disabled
};

void DrawGlyphButton(const DRAWITEMSTRUCT& item, const GlyphButtonStyle& style);

// Paints a glyph with its top-left corner at (x, y).
void DrawGlyph(HDC dc, const Glyph& glyph, int x, int y);

}  // namespace lumeret
