#include "platform/stream.h"

#include <cstring>

#include "platform/errors.h"
#include "platform/system_path.h"

namespace lumeret {

void MemoryStream::ReadBuffer(void* buffer, std::size_t count) {
    if (position_ > bytes_.size() || count > bytes_.size() - position_) {
        throw ReadError(kStreamReadError);
    }
    if (count != 0) {
        std::memcpy(buffer, bytes_.data() + position_, count);
    }
    position_ += count;
}

void MemoryStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (position_ > bytes_.size()) {
        bytes_.resize(position_);
    }
    if (count > bytes_.size() - position_) {
        bytes_.resize(position_ + count);
    }
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
}

void ReadOnlyMemoryStream::ReadBuffer(void* buffer, std::size_t count) {
    if (position_ > size_ || count > size_ - position_) {
        throw ReadError(kStreamReadError);
    }
    if (count != 0) {
        std::memcpy(buffer, data_ + position_, count);
    }
    position_ += count;
}

void ReadOnlyMemoryStream::WriteBuffer(const void*, std::size_t) {
    throw WriteError(kStreamWriteError);
}

FileStream::FileStream(const std::string& path, Mode mode)
    : file_(std::fopen(SystemPath(path).c_str(), mode == Mode::Read ? "rb" : "wb")) {
    if (!file_) {
        if (mode == Mode::Read) {
            throw FileOpenError(path);
        }
        throw FileCreateError(path);
    }
}

void FileStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && std::fread(buffer, 1, count, file_.get()) != count) {
        throw ReadError(kStreamReadError);
    }
}

void FileStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && std::fwrite(buffer, 1, count, file_.get()) != count) {
        throw WriteError(kStreamWriteError);
    }
}

void FileStream::Flush() {
    if (std::fflush(file_.get()) != 0) {
        throw WriteError(kStreamWriteError);
    }
}

}  // namespace lumeret
