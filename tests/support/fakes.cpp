#include "support/fakes.h"

namespace lumeret::test {

void FakeListRows::Insert(int index, const std::string& caption) {
    rows.insert(rows.begin() + index, caption);
    if (selected >= index) ++selected;
}

void FakeListRows::Remove(int index) {
    rows.erase(rows.begin() + index);
    if (selected == index) {
        selected = -1;
    } else if (selected > index) {
        --selected;
    }
}

void FakeListRows::Clear() {
    rows.clear();
    selected = -1;
}

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

}  // namespace lumeret::test
