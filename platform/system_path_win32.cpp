#include "platform/system_path.h"

namespace lumeret {

std::string SystemPath(std::string_view path) { return std::string(path); }

}  // namespace lumeret
