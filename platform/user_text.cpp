#include "platform/user_text.h"

namespace lumeret {

UserText& UserText::Words(std::string_view words) {
    if (!words.empty()) pieces_.push_back({std::string(words), false});
    return *this;
}

UserText& UserText::Data(std::string_view data) {
    if (!data.empty()) pieces_.push_back({std::string(data), true});
    return *this;
}

UserText& UserText::Append(const UserText& more) {
    pieces_.insert(pieces_.end(), more.pieces_.begin(), more.pieces_.end());
    return *this;
}

std::string UserText::Bytes() const {
    std::string out;
    for (const Piece& piece : pieces_) out += piece.bytes;
    return out;
}

UserText FormatWithData(std::string_view pattern, std::string_view data) {
    const std::size_t at = pattern.find("%s");
    if (at == std::string_view::npos) return UserText(std::string(pattern));
    UserText text;
    text.Words(pattern.substr(0, at)).Data(data).Words(pattern.substr(at + 2));
    return text;
}

}  // namespace lumeret
