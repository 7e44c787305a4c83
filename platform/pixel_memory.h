// Pixel memory: unnamed mappings backed by the system paging file (windows
// build) or anonymous shared memory (native build), mapped whole for writing.
// These are the raw calls; dib/file_map.h puts the program's checks on top.
#pragma once

#include <cstdint>

namespace lumeret {

// A mapping object (a kernel HANDLE in the windows build).
using FileMapHandle = void*;

// A new mapping of size bytes; nullptr when none can be made (also for 0).
FileMapHandle CreatePagingFileMap(std::uint32_t size) noexcept;
// The whole mapping, writable; nullptr on failure.
void* MapWholeForWrite(FileMapHandle map) noexcept;
// False when bits is not the start of a mapped view.
bool UnmapPixelView(void* bits) noexcept;
// False when map is not an open mapping.
bool ClosePixelMap(FileMapHandle map) noexcept;

}  // namespace lumeret
