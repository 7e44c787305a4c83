#include <windows.h>

#include <cstddef>
#include <vector>

#include "platform/palette.h"

namespace lumeret {

static_assert(sizeof(PaletteEntry) == sizeof(PALETTEENTRY));

PaletteHandle PaletteCreate(const PaletteEntry* entries, unsigned count) noexcept {
    if (count == 0 || count > 0xFFFF) {
        return nullptr;
    }
    try {
        std::vector<std::byte> memory(offsetof(LOGPALETTE, palPalEntry) +
                                      sizeof(PALETTEENTRY) * count);
        auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(count);
        for (unsigned i = 0; i < count; ++i) {
            logical->palPalEntry[i] = {entries[i].red, entries[i].green, entries[i].blue,
                                       entries[i].flags};
        }
        return CreatePalette(logical);
    } catch (...) {
        return nullptr;
    }
}

unsigned PaletteGetEntries(PaletteHandle palette, unsigned start, unsigned count,
                           PaletteEntry* out) noexcept {
    return GetPaletteEntries(palette, start, count, reinterpret_cast<PALETTEENTRY*>(out));
}

unsigned PaletteSize(PaletteHandle palette) noexcept {
    WORD entries = 0;
    if (GetObjectA(palette, sizeof(entries), &entries) == 0) {
        return 0;
    }
    return entries;
}

bool PaletteDelete(PaletteHandle palette) noexcept { return DeleteObject(palette) != FALSE; }

}  // namespace lumeret
