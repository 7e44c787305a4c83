// Logical palettes (HPALETTE in the windows build, a small stand-in of the
// same behaviour in the native build).
#pragma once

#include <cstdint>

#include "platform/unique_handle.h"

// The system's own handle type in the windows build, an opaque record of the
// stand-in otherwise.
struct HPALETTE__;

namespace lumeret {

using PaletteHandle = HPALETTE__*;

// The layout of the system's PALETTEENTRY.
struct PaletteEntry {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t flags;
};

// A new palette of count entries (CreatePalette of a version 0x300
// LOGPALETTE); nullptr on failure.
PaletteHandle PaletteCreate(const PaletteEntry* entries, unsigned count) noexcept;
// Copies up to count entries from start into out (GetPaletteEntries); returns
// how many were copied, 0 for an invalid handle.
unsigned PaletteGetEntries(PaletteHandle palette, unsigned start, unsigned count,
                           PaletteEntry* out) noexcept;
// The number of entries, 0 for an invalid handle.
unsigned PaletteSize(PaletteHandle palette) noexcept;
bool PaletteDelete(PaletteHandle palette) noexcept;

inline void PaletteDeleteQuietly(PaletteHandle palette) noexcept { PaletteDelete(palette); }
using UniquePalette = UniqueResource<PaletteHandle, PaletteDeleteQuietly>;

}  // namespace lumeret
