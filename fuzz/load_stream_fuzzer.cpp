// Dib::LoadFromStream on arbitrary bytes, and the pixels of the same bytes
// used where they lie, which must draw and write what the load gives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_common.h"

namespace {

using namespace lumeret;

void CheckPixelsInPlace(const std::uint8_t* data, std::size_t size, bool loaded, Dib& dib) {
    DibImage meta;
    auto pixels = PixelsInPlace(std::string_view(reinterpret_cast<const char*>(data), size), meta);
    if (!pixels) return;
    if (!loaded || pixels->Width() != dib.GetWidth() || pixels->Height() != dib.GetHeight()) std::abort();
    const Rect place{-3, -2, 15, 12};
    MemoryCanvas fromLoad(17, 13);
    dib.Draw(fromLoad, place);
    MemoryCanvas inPlace(17, 13);
    inPlace.StretchDib(place, *pixels, nullptr);
    if (!std::equal(fromLoad.Pixels(), fromLoad.Pixels() + 17 * 13, inPlace.Pixels())) std::abort();
    // Written out, the pixels where they lie make the loaded picture's file.
    if (pixels->Size > fuzz::kRoundTripLimit) return;
    MemoryStream loadedFile;
    dib.SaveToStream(loadedFile);
    MemoryStream inPlaceFile;
    WriteBmpFile(*pixels, inPlaceFile);
    if (loadedFile.Bytes() != inPlaceFile.Bytes()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (fuzz::TallRunLengthPicture(data, size, kFileHeaderSize)) return 0;
    Dib dib;
    bool loaded = false;
    try {
        ReadOnlyMemoryStream in(data, size);
        dib.LoadFromStream(in);
        loaded = true;
    } catch (const Exception&) {
        // Refused input leaves the 1x1 default, which must still work.
    }
    CheckPixelsInPlace(data, size, loaded, dib);
    fuzz::Exercise(dib);
    return 0;
}
