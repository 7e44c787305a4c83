// How much of a text its list row and its hint show, for the history and
// the text clips alike.
#pragma once

#include <cstddef>

namespace lumeret {

inline constexpr std::size_t kCaptionBytes = 64;
inline constexpr std::size_t kPreviewBytes = 256;

}  // namespace lumeret
