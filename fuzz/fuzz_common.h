// What every fuzz target does with an image it managed to read: draw it
// (which reads the store wherever the header says pixels are), and write it
// out and read that back, which must succeed.
#pragma once

#include <cstdlib>

#include "dib/canvas.h"
#include "dib/dib.h"

namespace lumeret::fuzz {

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
