#include <windows.h>

#include "platform/global_memory.h"

namespace lumeret {

GlobalHandle GlobalBlockAlloc(unsigned flags, std::size_t size) noexcept {
    return GlobalAlloc(flags, size);
}

void* GlobalBlockLock(GlobalHandle block) noexcept { return GlobalLock(block); }

void GlobalBlockUnlock(GlobalHandle block) noexcept { GlobalUnlock(block); }

std::size_t GlobalBlockSize(GlobalHandle block) noexcept { return GlobalSize(block); }

void GlobalBlockFree(GlobalHandle block) noexcept { GlobalFree(block); }

}  // namespace lumeret
