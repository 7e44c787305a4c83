#include <cstdio>
#include <string>

namespace lumeret {

// The native build has no message boxes; errors go to the standard error.
void ShowErrorBox(const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }

}  // namespace lumeret
