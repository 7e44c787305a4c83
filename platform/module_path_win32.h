#pragma once

#include <string>

namespace lumeret {

// The full path of the running executable (ANSI bytes).
std::string ExecutablePath();

// The executable's folder with its trailing "\".
std::string ExecutableFolder();

}  // namespace lumeret
