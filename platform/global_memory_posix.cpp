#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/global_memory.h"

namespace lumeret {
namespace {

// A stand-in block: its size is exactly what was asked for (the system may
// round up, callers must not rely on either), and an empty block cannot be
// locked, as with the system's blocks.
struct Block {
    std::size_t size;
    unsigned char* bytes;
    int locks;
};

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

std::set<Block*>& Blocks() {
    static std::set<Block*> blocks;
    return blocks;
}

Block* Find(GlobalHandle handle) {
    auto found = Blocks().find(static_cast<Block*>(handle));
    return found == Blocks().end() ? nullptr : *found;
}

}  // namespace

GlobalHandle GlobalBlockAlloc(unsigned flags, std::size_t size) noexcept {
    auto* bytes = static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : size));
    if (bytes == nullptr) {
        return nullptr;
    }
    if ((flags & kGmemZeroInit) != 0) {
        std::memset(bytes, 0, size);
    }
    auto* block = new (std::nothrow) Block{size, bytes, 0};
    if (block == nullptr) {
        std::free(bytes);
        return nullptr;
    }
    std::lock_guard guard(Lock());
    Blocks().insert(block);
    return block;
}

void* GlobalBlockLock(GlobalHandle handle) noexcept {
    std::lock_guard guard(Lock());
    Block* block = Find(handle);
    if (block == nullptr || block->size == 0) {
        return nullptr;
    }
    ++block->locks;
    return block->bytes;
}

void GlobalBlockUnlock(GlobalHandle handle) noexcept {
    std::lock_guard guard(Lock());
    if (Block* block = Find(handle); block != nullptr && block->locks > 0) {
        --block->locks;
    }
}

std::size_t GlobalBlockSize(GlobalHandle handle) noexcept {
    std::lock_guard guard(Lock());
    Block* block = Find(handle);
    return block == nullptr ? 0 : block->size;
}

void GlobalBlockFree(GlobalHandle handle) noexcept {
    std::lock_guard guard(Lock());
    if (Block* block = Find(handle)) {
        Blocks().erase(block);
        std::free(block->bytes);
        delete block;
    }
}

}  // namespace lumeret
