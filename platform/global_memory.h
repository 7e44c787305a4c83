// Global memory blocks, the currency of the clipboard (HGLOBAL in the windows
// build, a small stand-in of the same behaviour in the native build).
#pragma once

#include <cstddef>

#include "platform/unique_handle.h"

namespace lumeret {

using GlobalHandle = void*;

inline constexpr unsigned kGmemMoveable = 0x0002;
inline constexpr unsigned kGmemZeroInit = 0x0040;

// nullptr when no block can be had.
GlobalHandle GlobalBlockAlloc(unsigned flags, std::size_t size) noexcept;
// The block's bytes; nullptr for an invalid or empty block.
void* GlobalBlockLock(GlobalHandle block) noexcept;
void GlobalBlockUnlock(GlobalHandle block) noexcept;
// The usable size, which may exceed what was asked for; 0 for an invalid block.
std::size_t GlobalBlockSize(GlobalHandle block) noexcept;
void GlobalBlockFree(GlobalHandle block) noexcept;

using UniqueGlobal = UniqueResource<GlobalHandle, GlobalBlockFree>;

// GlobalLock/GlobalUnlock as a pair.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(GlobalHandle block) noexcept
        : block_(block), bytes_(GlobalBlockLock(block)) {}
    ~GlobalLockGuard() {
        if (bytes_ != nullptr) {
            GlobalBlockUnlock(block_);
        }
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* Bytes() const noexcept { return bytes_; }

private:
    GlobalHandle block_;
    void* bytes_;
};

}  // namespace lumeret
