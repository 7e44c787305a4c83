// The only way the DIB library obtains and gives back pixel memory: one
// unnamed paging-file-backed mapping per image, mapped whole for writing and
// held by a PixelStore.
#pragma once

#include <cstdint>

#include "platform/pixel_memory.h"

namespace lumeret {

// Makes a mapping of size bytes and maps all of it. OutOfResourcesError when the
// mapping (also for a size of 0 or less) or its view cannot be made; nothing
// stays open then.
void GetFileMap(std::int32_t size, FileMapHandle& fileMap, void*& bits);

// Unmaps the view, then closes the mapping. DibAssertionError when either fails;
// a failed unmap leaves the mapping open.
void ReleaseFileMap(FileMapHandle fileMap, void* bits);

// Owns one pixel store: a mapping and its view, made together by GetFileMap
// and given back together by ReleaseFileMap. Move-only, so that a store has
// exactly one owner and is given back exactly once.
class PixelStore {
public:
    // No store: Bits() is nullptr and Size() 0.
    PixelStore() noexcept = default;
    // A new store of size bytes, zeroed by the system; GetFileMap's errors.
    explicit PixelStore(std::int32_t size);
    // Gives the store back. A destructor cannot report a refusal; the system
    // then keeps the store until the process ends.
    ~PixelStore();
    PixelStore(PixelStore&& other) noexcept;
    // Takes other's store; the one held so far is given back as the
    // destructor gives it back.
    PixelStore& operator=(PixelStore other) noexcept;

    // A new store holding the same bytes.
    PixelStore Copy() const;
    // Gives the store back now and reports a refusal (ReleaseFileMap's
    // DibAssertionError), in which case the store stays held.
    void Reset();

    std::uint8_t* Bits() noexcept { return bits_; }
    const std::uint8_t* Bits() const noexcept { return bits_; }
    std::int32_t Size() const noexcept { return size_; }

private:
    FileMapHandle map_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    std::int32_t size_ = 0;
};

}  // namespace lumeret
