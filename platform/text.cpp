#include "platform/text.h"

namespace lumeret {

const std::string kContinuationMarker = "\r\n＜つづく＞";

std::string Trim(std::string text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) < 33) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) < 33) --end;
    text.erase(end);
    text.erase(0, begin);
    return text;
}

std::string CutText(std::string_view text, std::size_t n) {
    return std::string(text.substr(0, n));
}

std::vector<std::string> SplitLines(std::string_view text) {
    if (auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string LinesEndedByCrLf(std::string_view text) {
    if (auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    std::string out;
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += "\r\n";
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') out += "\r\n";
    return out;
}

std::string LinesSeparatedByCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {

// Scans path for the last position of one of the given bytes, stepping over
// double-byte characters so that their second byte never matches.
template <typename Pred>
std::size_t LastSingleByte(std::string_view path, Pred pred) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (pred(c)) found = i;
    }
    return found;
}

bool IsSeparator(unsigned char c) { return c == '\\' || c == ':'; }

}  // namespace

std::size_t ExtensionStart(std::string_view path) {
    std::size_t sep = LastSingleByte(path, IsSeparator);
    std::size_t dot = LastSingleByte(path, [](unsigned char c) { return c == '.'; });
    if (dot == std::string_view::npos) return dot;
    if (sep != std::string_view::npos && dot < sep) return std::string_view::npos;
    return dot;
}

std::string ExtractFileExt(std::string_view path) {
    std::size_t dot = ExtensionStart(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::size_t dot = ExtensionStart(path);
    std::string base(dot == std::string_view::npos ? path : path.substr(0, dot));
    return base + std::string(ext);
}

std::string ExtractFilePath(std::string_view path) {
    std::size_t sep = LastSingleByte(path, IsSeparator);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string ExtractFileName(std::string_view path) {
    std::size_t sep = LastSingleByte(path, IsSeparator);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string UpperCaseAnsi(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c) && i + 1 < out.size()) {
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

}  // namespace lumeret
