#include <windows.h>

#include "platform/pixel_memory.h"

namespace lumeret {

FileMapHandle CreatePagingFileMap(std::uint32_t size) noexcept {
    return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, nullptr);
}

void* MapWholeForWrite(FileMapHandle map) noexcept {
    return MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, 0);
}

bool UnmapPixelView(void* bits) noexcept { return UnmapViewOfFile(bits) != FALSE; }

bool ClosePixelMap(FileMapHandle map) noexcept { return CloseHandle(map) != FALSE; }

}  // namespace lumeret
