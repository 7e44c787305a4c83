// What every fuzz target does with an image it managed to read: draw it
// (which reads the store wherever the header says pixels are), and write it
// out and read that back, which must succeed.
#pragma once

#include <cstdlib>

#include "dib/canvas.h"
#include "dib/dib.h"
#include "dib/dib_format.h"

namespace lumeret::fuzz {

// A run-length picture's store beyond its data is zero, one end of line per
// two bytes, and both the check at load and drawing walk those ends of line
// up to the picture's height. With coverage instrumentation a picture of
// millions of rows takes seconds and would starve the search; its checks
// are the same as for fewer rows. True for an info header (at offset) of
// such a picture.
inline bool TallRunLengthPicture(const std::uint8_t* data, std::size_t size, std::size_t offset) {
    constexpr std::int64_t kMaxRows = 1 << 16;
    if (size < offset + kInfoHeaderSize) return false;
    const LeReader header(data + offset, kInfoHeaderSize);
    const std::uint32_t compression = header.U32(16);
    return header.U32(0) == kInfoHeaderSize && (compression == kBiRle8 || compression == kBiRle4) &&
           std::abs(std::int64_t{header.I32(8)}) > kMaxRows;
}

// Writing a store this large would only measure the allocator.
inline constexpr std::int32_t kRoundTripLimit = 1 << 20;

inline void Exercise(Dib& dib) {
    MemoryCanvas canvas(17, 13);
    dib.Draw(canvas, {-3, -2, 15, 12});
    if (dib.Pixels()->Image.Store.Size() > kRoundTripLimit) {
        return;
    }
    MemoryStream out;
    dib.SaveToStream(out);
    Dib back;
    out.Seek(0);
    back.LoadFromStream(out);  // what was written must read again
    if (back.GetWidth() != dib.GetWidth() || back.GetHeight() != dib.GetHeight()) {
        std::abort();
    }

    std::uint16_t format = 0;
    GlobalHandle data = nullptr;
    PaletteHandle palette = nullptr;
    dib.SaveToClipboardFormat(format, data, palette);
    UniqueGlobal block(data);
    back.LoadFromClipboardFormat(format, block.get(), palette);
    if (back.GetWidth() != dib.GetWidth()) {
        std::abort();
    }
}

}  // namespace lumeret::fuzz
