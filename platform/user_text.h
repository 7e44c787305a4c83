// A text shown to the user in a message box: the program's own words, which
// are code page 932 bytes, and pieces of data (clip text, file names), which
// are bytes of the system's ANSI code page, in order. Each piece reaches the
// screen through its own code page, so a Japanese question about a clip reads
// right on a system of any language.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumeret {

class UserText {
public:
    struct Piece {
        std::string bytes;
        bool data;  // the system's ANSI code page, else the program's own words
    };

    UserText() = default;
    // The program's own words.
    UserText(std::string words) { Words(words); }  // NOLINT: words convert implicitly
    UserText(const char* words) { Words(words); }  // NOLINT

    UserText& Words(std::string_view words);
    UserText& Data(std::string_view data);
    UserText& Append(const UserText& more);

    // All pieces' bytes joined, as they stand.
    std::string Bytes() const;
    const std::vector<Piece>& Pieces() const { return pieces_; }

private:
    std::vector<Piece> pieces_;
};

// pattern's first "%s" replaced by data.
UserText FormatWithData(std::string_view pattern, std::string_view data);

}  // namespace lumeret
