// The DIB library's exception classes and its consistency check.
#pragma once

#include <string>

#include "platform/errors.h"

namespace lumeret {

// Malformed or unsupported bitmap data.
class EVyDIBInvalidDIB : public Exception { using Exception::Exception; };
// A stream that is not a BMP file image at all.
class EVyDIBInvalidDIBFile : public Exception { using Exception::Exception; };
// Size or bit-count parameters out of range.
class EVyDIBInvalidDIBPara : public Exception { using Exception::Exception; };
// A palette handle that yields no entries.
class EVyDIBInvalidPalette : public Exception { using Exception::Exception; };
// A failed consistency check.
class EVyDIBAssert : public Exception { using Exception::Exception; };

// Throws EVyDIBAssert with message when condition is false.
void DIBAssert(bool condition, const std::string& message);

}  // namespace lumeret
