// The DIB library's exception classes and its consistency check.
#pragma once

#include <string>

#include "platform/errors.h"

namespace lumeret {

// Malformed or unsupported bitmap data.
class InvalidDibError : public Exception { using Exception::Exception; };
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
