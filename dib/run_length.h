// Walking a run-length stream (BI_RLE8, BI_RLE4): the one reading of the
// format that both the check at load and the memory canvas's drawing use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lumeret {

// How a walk ended: at the end-of-picture mark, at the end of the data, or
// inside a run or move whose bytes the data does not hold.
enum class RunLengthEnd { Mark, Data, CutOff };

// How many bytes of a stored run-length picture are its stream: the first
// biSizeImage bytes, as GDI reads them. A clipboard block or a file may carry
// more behind them, which are never walked.
inline std::size_t RunLengthStreamSize(std::size_t stored, std::uint32_t sizeImage) {
    return stored < sizeImage ? stored : sizeImage;
}

// Walks size bytes of stream from the bottom row up. For each run of pixels
// calls run(x, y, count, pixel), where pixel(k) is the colour index of pixel
// k of the run; after each end of line or move calls moved(x, y), with y
// counted from the bottom row. Stops early when either returns false (then
// Data is returned). Never reads past the data.
template <typename Run, typename Moved>
RunLengthEnd WalkRunLength(const std::uint8_t* data, std::size_t size, bool four, Run&& run, Moved&& moved) {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::size_t i = 0;
    while (i + 1 < size) {
        const std::uint8_t count = data[i];
        const std::uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {  // an encoded run: count pixels of value
            auto pixel = [four, value](std::int64_t k) -> std::uint8_t {
                return four ? ((k % 2 == 0) ? value >> 4 : value & 0x0F) : value;
            };
            if (!run(x, y, count, pixel)) return RunLengthEnd::Data;
            x += count;
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
            if (!moved(x, y)) return RunLengthEnd::Data;
        } else if (value == 1) {  // end of picture
            return RunLengthEnd::Mark;
        } else if (value == 2) {  // move right and up
            if (size - i < 2) return RunLengthEnd::CutOff;
            x += data[i];
            y += data[i + 1];
            i += 2;
            if (!moved(x, y)) return RunLengthEnd::Data;
        } else {  // an absolute run of value pixels, padded to whole words
            const std::size_t bytes = four ? (value + 1u) / 2u : value;
            if (bytes > size - i) return RunLengthEnd::CutOff;
            const std::uint8_t* pixels = data + i;
            auto pixel = [four, pixels](std::int64_t k) -> std::uint8_t {
                const std::uint8_t b = pixels[four ? k / 2 : k];
                return four ? ((k % 2 == 0) ? b >> 4 : b & 0x0F) : b;
            };
            if (!run(x, y, value, pixel)) return RunLengthEnd::Data;
            x += value;
            const std::size_t padded = (bytes + 1) & ~std::size_t{1};
            i += padded < size - i ? padded : size - i;
        }
    }
    return i < size ? RunLengthEnd::CutOff : RunLengthEnd::Data;  // a lone byte where a run should start
}

}  // namespace lumeret
