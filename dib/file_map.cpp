#include "dib/file_map.h"

#include <cstring>
#include <utility>

#include "dib/dib_errors.h"

namespace lumeret {

void GetFileMap(std::int32_t size, FileMapHandle& fileMap, void*& bits) {
    // A negative size would reach the system as a huge unsigned one.
    FileMapHandle map = size > 0 ? CreatePagingFileMap(static_cast<std::uint32_t>(size)) : nullptr;
    if (map == nullptr) {
        throw OutOfResourcesError("GetFileMap: Cannot Make File Mapping Object");
    }
    void* view = MapWholeForWrite(map);
    if (view == nullptr) {
        ClosePixelMap(map);
        throw OutOfResourcesError("GetFileMap: Cannot Make View of File Map");
    }
    fileMap = map;
    bits = view;
}

void ReleaseFileMap(FileMapHandle fileMap, void* bits) {
    DibAssert(UnmapPixelView(bits), "ReleaseFileMap: Failed To Unmap View of File map");
    DibAssert(ClosePixelMap(fileMap), "ReleaseFileMap: Failed To Close File Map");
}

PixelStore::PixelStore(std::int32_t size) {
    void* view = nullptr;
    GetFileMap(size, map_, view);
    bits_ = static_cast<std::uint8_t*>(view);
    size_ = size;
}

PixelStore::~PixelStore() {
    try {
        Reset();
    } catch (...) {
        // A destructor cannot report; see the declaration.
    }
}

PixelStore::PixelStore(PixelStore&& other) noexcept
    : map_(std::exchange(other.map_, nullptr)),
      bits_(std::exchange(other.bits_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

PixelStore& PixelStore::operator=(PixelStore other) noexcept {
    // other leaves with the store held so far and gives it back as it goes.
    std::swap(map_, other.map_);
    std::swap(bits_, other.bits_);
    std::swap(size_, other.size_);
    return *this;
}

PixelStore PixelStore::Copy() const {
    PixelStore copy(size_);
    std::memcpy(copy.bits_, bits_, static_cast<std::size_t>(size_));
    return copy;
}

void PixelStore::Reset() {
    if (bits_ == nullptr) {
        return;
    }
    ReleaseFileMap(map_, bits_);
    map_ = nullptr;
    bits_ = nullptr;
    size_ = 0;
}

}  // namespace lumeret
