// Byte streams as the graphics code uses them: read exactly N bytes or fail,
// write exactly N bytes or fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/unique_handle.h"

namespace lumeret {

inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";

class Stream {
public:
    virtual ~Stream() = default;
    // Throws ReadError when fewer than count bytes are left.
    virtual void ReadBuffer(void* buffer, std::size_t count) = 0;
    // Throws WriteError when the bytes cannot all be written.
    virtual void WriteBuffer(const void* buffer, std::size_t count) = 0;
};

// A growable byte buffer with a position.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    void ReadBuffer(void* buffer, std::size_t count) override;
    void WriteBuffer(const void* buffer, std::size_t count) override;

    const std::vector<std::uint8_t>& Bytes() const noexcept { return bytes_; }
    std::size_t Position() const noexcept { return position_; }
    void Seek(std::size_t position) noexcept { position_ = position; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Reads from a buffer owned by someone else, without copying it.
class ReadOnlyMemoryStream : public Stream {
public:
    ReadOnlyMemoryStream(const void* data, std::size_t size) noexcept
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    void ReadBuffer(void* buffer, std::size_t count) override;
    void WriteBuffer(const void* buffer, std::size_t count) override;
    std::size_t Position() const noexcept { return position_; }
    void Seek(std::size_t position) noexcept { position_ = position; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

inline void CloseFileQuietly(std::FILE* file) noexcept { std::fclose(file); }

// A file opened for reading (FileOpenError when it cannot be) or created anew
// for writing (FileCreateError when it cannot be).
class FileStream : public Stream {
public:
    enum class Mode { Read, Create };
    FileStream(const std::string& path, Mode mode);

    void ReadBuffer(void* buffer, std::size_t count) override;
    void WriteBuffer(const void* buffer, std::size_t count) override;
    // Writes buffered bytes out; WriteError when that fails.
    void Flush();

private:
    UniqueResource<std::FILE*, CloseFileQuietly> file_;
};

}  // namespace lumeret
