// Dib::LoadFromClipboardFormat on a block holding arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumeret;
    if (fuzz::TallRunLengthPicture(data, size, 0)) return 0;
    UniqueGlobal block(GlobalBlockAlloc(kGmemMoveable, size));
    if (!block) {
        return 0;
    }
    {
        GlobalLockGuard lock(block.get());
        if (lock.Bytes() != nullptr) {
            std::memcpy(lock.Bytes(), data, size);
        }
    }
    Dib dib;
    try {
        dib.LoadFromClipboardFormat(kCfDib, block.get(), nullptr);
    } catch (const Exception&) {
        // Refused input leaves the 1x1 default, which must still work.
    }
    fuzz::Exercise(dib);
    return 0;
}
