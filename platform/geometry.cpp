#include "platform/geometry.h"

#include <cmath>
#include <cstdint>

namespace lumeret {

int RoundHalfEven(double value) {
    double floor = std::floor(value);
    double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1.0;
    return static_cast<int>(result);
}

Rect FitToFrame(int w, int h, int frameWidth, int frameHeight) {
    // The products are formed in 64 bits: a picture of any size the formats
    // allow can never overflow them.
    if (w > h) {
        auto product = static_cast<std::int64_t>(h) * frameWidth;
        return {0, 0, frameWidth, RoundHalfEven(static_cast<double>(product) / w)};
    }
    if (h <= 0) return {0, 0, 0, 0};
    auto product = static_cast<std::int64_t>(w) * frameHeight;
    return {0, 0, RoundHalfEven(static_cast<double>(product) / h), frameHeight};
}

Rect MoveInside(const Rect& window, const Rect& area) {
    // In 64 bits: a window may lie anywhere a 32-bit coordinate reaches.
    auto offset = [](std::int64_t low, std::int64_t high, std::int64_t areaLow, std::int64_t areaHigh) {
        std::int64_t d = high > areaHigh ? areaHigh - high : 0;
        if (low + d < areaLow) d = areaLow - low;
        return d;
    };
    const std::int64_t dx = offset(window.Left, window.Right, area.Left, area.Right);
    const std::int64_t dy = offset(window.Top, window.Bottom, area.Top, area.Bottom);
    return {static_cast<std::int32_t>(window.Left + dx), static_cast<std::int32_t>(window.Top + dy),
            static_cast<std::int32_t>(window.Right + dx), static_cast<std::int32_t>(window.Bottom + dy)};
}

}  // namespace lumeret
