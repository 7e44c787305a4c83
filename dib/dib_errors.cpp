#include "dib/dib_errors.h"

namespace lumeret {

void DIBAssert(bool condition, const std::string& message) {
    if (!condition) {
        throw EVyDIBAssert(message);
    }
}

}  // namespace lumeret
