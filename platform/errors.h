// The program's exception classes. Messages are byte strings in code page 932,
// as the error message box shows them.
#pragma once

#include <exception>
#include <string>

namespace lumeret {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// The runtime-style errors.
class EOutOfResources : public Exception { using Exception::Exception; };
class EOutOfMemory : public Exception { using Exception::Exception; };
class EReadError : public Exception { using Exception::Exception; };
class EWriteError : public Exception { using Exception::Exception; };

// A file that exists but cannot be opened for reading.
class EFOpenError : public Exception {
public:
    explicit EFOpenError(const std::string& path);
};

// A file that cannot be created or replaced.
class EFCreateError : public Exception {
public:
    explicit EFCreateError(const std::string& path);
};

// A failed file-system operation with the system's error number; the common
// numbers get the runtime's own wording.
class EInOutError : public Exception {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

// System error numbers that EInOutError words specially.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorAccessDenied = 5;

// Replaces the first "%s" of a message pattern with text.
std::string FormatMessage1(const std::string& pattern, const std::string& text);

}  // namespace lumeret
