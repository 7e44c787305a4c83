// A path of the program's (bytes of the ANSI code page, "\\" as separator) as
// the running system's file functions take it: unchanged on Windows, with
// "/" for "\\" on POSIX (double-byte aware).
#pragma once

#include <string>
#include <string_view>

namespace lumeret {

std::string SystemPath(std::string_view path);

}  // namespace lumeret
