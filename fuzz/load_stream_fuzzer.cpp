// Dib::LoadFromStream on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumeret;
    if (fuzz::TallRunLengthPicture(data, size, kFileHeaderSize)) return 0;
    Dib dib;
    try {
        ReadOnlyMemoryStream in(data, size);
        dib.LoadFromStream(in);
    } catch (const Exception&) {
        // Refused input leaves the 1x1 default, which must still work.
    }
    fuzz::Exercise(dib);
    return 0;
}
