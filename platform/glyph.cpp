#include "platform/glyph.h"

namespace lumeret {

bool Glyph::ColorAt(int x, int y, std::uint32_t& rgb) const {
    if (y < 0 || y >= static_cast<int>(rows.size()) || x < 0 || x >= static_cast<int>(rows[y].size())) return false;
    char key = rows[y][x];
    for (const auto& c : colors) {
        if (c.key == key) {
            rgb = c.rgb;
            return true;
        }
    }
    return false;
}

}  // namespace lumeret
