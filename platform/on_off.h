// Switch settings are held as the strings "TRUE" and "FALSE"; only an exact
// "TRUE" (case-sensitive) counts as on.
#pragma once

#include <string>

namespace lumeret {

inline bool IsOn(const std::string& value) { return value == "TRUE"; }
inline const char* OnOff(bool on) { return on ? "TRUE" : "FALSE"; }

}  // namespace lumeret
