#include "support/fakes.h"

namespace lumeret::test {

bool FakeClipboard::HasFormat(unsigned format) const {
    if (format == kCfText) return text.has_value();
    if (format == kCfBitmap || format == kCfDib) return hasBitmap;
    return false;
}

void FakeClipboard::SetText(const std::string& value) {
    text = value;
    hasBitmap = false;
    ++stamp;
    ++writes;
}

void FakeClipboard::SetBitmapFromFile(const std::string& path) {
    text.reset();
    hasBitmap = true;
    bitmapFile = path;
    ++stamp;
    ++writes;
}

void FakeClipboard::Clear() {
    text.reset();
    hasBitmap = false;
    ++stamp;
}

bool FakePrompts::AskYesNo(const std::string& message) {
    questions.push_back(message);
    if (answers.empty()) return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> MemoryProfile::ReadString(const std::string& section, const std::string& key) {
    auto it = values.find({section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
}

bool MemoryProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (failAt == static_cast<int>(written.size())) return false;
    written.emplace_back(section, key);
    values[{section, key}] = value;
    return true;
}

}  // namespace lumeret::test
