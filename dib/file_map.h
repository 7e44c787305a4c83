// The only way the DIB library obtains and gives back pixel memory: one
// unnamed paging-file-backed mapping per image, mapped whole for writing.
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

}  // namespace lumeret
