#include "platform/clip_folder.h"

#include "platform/text.h"

namespace lumeret {

namespace {

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    // Iterative match with one backtrack point: the last "*" seen.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::pair<std::string, std::string> SplitSearchPattern(std::string_view pattern) {
    std::string folder = ExtractFilePath(pattern);
    return {folder, std::string(pattern.substr(folder.size()))};
}

}  // namespace lumeret
