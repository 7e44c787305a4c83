// The program's exception classes. Messages are byte strings in code page 932,
// as the error message box shows them.
#pragma once

#include <exception>
#include <string>

#include "platform/user_text.h"

namespace lumeret {

class Exception : public std::exception {
public:
    explicit Exception(UserText text) : text_(std::move(text)), message_(text_.Bytes()) {}
    explicit Exception(std::string message) : Exception(UserText(std::move(message))) {}
    explicit Exception(const char* message) : Exception(UserText(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    // The message as the error box shows it.
    const UserText& Text() const noexcept { return text_; }

private:
    UserText text_;
    std::string message_;
};

// The runtime-style errors.
class OutOfResourcesError : public Exception { using Exception::Exception; };
class OutOfMemoryError : public Exception { using Exception::Exception; };
class ReadError : public Exception { using Exception::Exception; };
class WriteError : public Exception { using Exception::Exception; };
// The clipboard stays held by another program, or refuses data.
class ClipboardError : public Exception { using Exception::Exception; };

// A file that exists but cannot be opened for reading.
class FileOpenError : public Exception {
public:
    explicit FileOpenError(const std::string& path);
};

// A file that cannot be created or replaced.
class FileCreateError : public Exception {
public:
    explicit FileCreateError(const std::string& path);
};

// A failed file-system operation with the system's error number; the common
// numbers get the runtime's own wording.
class IoError : public Exception {
public:
    explicit IoError(int errorCode);
    int ErrorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

// System error numbers that IoError words specially.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorAccessDenied = 5;

}  // namespace lumeret
