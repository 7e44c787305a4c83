#include "dib/dib_errors.h"

namespace lumeret {

void DibAssert(bool condition, const std::string& message) {
    if (!condition) {
        throw DibAssertionError(message);
    }
}

}  // namespace lumeret
