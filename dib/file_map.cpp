#include "dib/file_map.h"

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

}  // namespace lumeret
