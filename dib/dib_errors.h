// The DIB library's exception classes and its consistency check.
#pragma once

#include <cstdint>
#include <string>

#include "platform/errors.h"

namespace lumeret {

// Malformed or unsupported bitmap data.
class InvalidDibError : public Exception { using Exception::Exception; };
// A picture beyond kMaxPictureBytes: well-formed perhaps, but more than
// the program takes in.
class PictureTooLargeError : public InvalidDibError {
public:
    PictureTooLargeError(const std::string& operation, std::int32_t width, std::int32_t height);
    std::int32_t Width() const noexcept { return width_; }
    std::int32_t Height() const noexcept { return height_; }

private:
    std::int32_t width_;
    std::int32_t height_;
};
// A stream that is not a BMP file image at all.
class InvalidDibFileError : public Exception { using Exception::Exception; };
// Size or bit-count parameters out of range.
class InvalidDibParameterError : public Exception { using Exception::Exception; };
// A palette handle that yields no entries.
class InvalidPaletteError : public Exception { using Exception::Exception; };
// A failed consistency check.
class DibAssertionError : public Exception { using Exception::Exception; };

// Throws DibAssertionError with message when condition is false.
void DibAssert(bool condition, const std::string& message);

}  // namespace lumeret
