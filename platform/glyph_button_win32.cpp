#include "platform/glyph_button_win32.h"

#include "platform/wide_win32.h"

namespace lumeret {

void DrawGlyph(HDC dc, const Glyph& glyph, int x, int y) {
    for (int row = 0; row < glyph.height; ++row) {
        for (int col = 0; col < glyph.width; ++col) {
            std::uint32_t rgb = 0;
            if (glyph.ColorAt(col, row, rgb)) {
                SetPixelV(dc, x + col, y + row, RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
            }
        }
    }
}

void DrawGlyphButton(const DRAWITEMSTRUCT& item, const GlyphButtonStyle& style) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    int shift = pressed ? 1 : 0;
    const Glyph* glyph = disabled && style.disabledGlyph ? style.disabledGlyph : style.glyph;
    if (glyph) {
        int x = r.left + (r.right - r.left - glyph->width) / 2 + shift;
        int y = r.top + (r.bottom - r.top - glyph->height) / 2 + shift;
        DrawGlyph(dc, *glyph, x, y);
    }
    if (!style.caption.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : style.textColor);
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
        OffsetRect(&r, shift, shift);
        std::wstring text = FromCp932(style.caption);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace lumeret
