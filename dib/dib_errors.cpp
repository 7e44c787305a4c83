#include "dib/dib_errors.h"

namespace lumeret {

PictureTooLargeError::PictureTooLargeError(const std::string& operation, std::int32_t width, std::int32_t height)
    : InvalidDibError(operation + ": Picture Too Large (" + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels)"),
      width_(width),
      height_(height) {}

void DibAssert(bool condition, const std::string& message) {
    if (!condition) {
        throw DibAssertionError(message);
    }
}

}  // namespace lumeret
