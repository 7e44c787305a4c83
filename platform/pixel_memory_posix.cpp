#include <sys/mman.h>

#include <map>
#include <mutex>
#include <set>

#include "platform/pixel_memory.h"

namespace lumeret {
namespace {

// The native build has no mapping objects: a "handle" is a record of the
// size, and the views are anonymous shared mappings. Both are kept in tables
// so that a pointer or handle that was never handed out is refused, as the
// system refuses it.
struct PosixMap {
    std::uint32_t size;
};

struct Tables {
    std::mutex lock;
    std::set<PosixMap*> maps;
    std::map<void*, std::size_t> views;
    std::size_t madeBytes = 0;
};

Tables& State() {
    static Tables tables;
    return tables;
}

}  // namespace

FileMapHandle CreatePagingFileMap(std::uint32_t size) noexcept {
    if (size == 0) {
        return nullptr;
    }
    auto* map = new (std::nothrow) PosixMap{size};
    if (map == nullptr) {
        return nullptr;
    }
    std::lock_guard guard(State().lock);
    State().maps.insert(map);
    State().madeBytes += size;
    return map;
}

void* MapWholeForWrite(FileMapHandle handle) noexcept {
    std::lock_guard guard(State().lock);
    auto found = State().maps.find(static_cast<PosixMap*>(handle));
    if (found == State().maps.end()) {
        return nullptr;
    }
    std::size_t size = (*found)->size;
    void* bits = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (bits == MAP_FAILED) {
        return nullptr;
    }
    State().views.emplace(bits, size);
    return bits;
}

bool UnmapPixelView(void* bits) noexcept {
    std::lock_guard guard(State().lock);
    auto found = State().views.find(bits);
    if (found == State().views.end()) {
        return false;
    }
    munmap(found->first, found->second);
    State().views.erase(found);
    return true;
}

bool ClosePixelMap(FileMapHandle handle) noexcept {
    std::lock_guard guard(State().lock);
    auto* map = static_cast<PosixMap*>(handle);
    if (State().maps.erase(map) == 0) {
        return false;
    }
    delete map;
    return true;
}

// Not declared in pixel_memory.h: only the native tests ask, to see that the
// picture code leaves no mapping open and makes none it can do without.
std::size_t OpenPixelMapCount() noexcept {
    std::lock_guard guard(State().lock);
    return State().maps.size();
}

std::size_t MadePixelMapBytes() noexcept {
    std::lock_guard guard(State().lock);
    return State().madeBytes;
}

}  // namespace lumeret
