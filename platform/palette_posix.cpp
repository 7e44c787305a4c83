#include <algorithm>
#include <mutex>
#include <set>
#include <vector>

#include "platform/palette.h"

struct HPALETTE__ {
    std::vector<lumeret::PaletteEntry> entries;
};

namespace lumeret {
namespace {

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

std::set<PaletteHandle>& Live() {
    static std::set<PaletteHandle> live;
    return live;
}

}  // namespace

PaletteHandle PaletteCreate(const PaletteEntry* entries, unsigned count) noexcept {
    if (count == 0 || count > 0xFFFF) {
        return nullptr;
    }
    try {
        auto* palette = new HPALETTE__{std::vector<PaletteEntry>(entries, entries + count)};
        std::lock_guard guard(Lock());
        Live().insert(palette);
        return palette;
    } catch (...) {
        return nullptr;
    }
}

unsigned PaletteGetEntries(PaletteHandle palette, unsigned start, unsigned count,
                           PaletteEntry* out) noexcept {
    std::lock_guard guard(Lock());
    if (Live().count(palette) == 0 || start >= palette->entries.size()) {
        return 0;
    }
    unsigned n = std::min<unsigned>(count, static_cast<unsigned>(palette->entries.size()) - start);
    std::copy_n(palette->entries.begin() + start, n, out);
    return n;
}

unsigned PaletteSize(PaletteHandle palette) noexcept {
    std::lock_guard guard(Lock());
    return Live().count(palette) == 0 ? 0 : static_cast<unsigned>(palette->entries.size());
}

bool PaletteDelete(PaletteHandle palette) noexcept {
    std::lock_guard guard(Lock());
    if (Live().erase(palette) == 0) {
        return false;
    }
    delete palette;
    return true;
}

}  // namespace lumeret
