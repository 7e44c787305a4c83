#include "support/fakes.h"

#include <cstring>
#include <utility>

#include "platform/errors.h"

namespace lumeret::test {

bool FakeClipboard::HasFormat(unsigned format) const {
    if (format == kCfText) return text.has_value();
    if (format == kCfBitmap) return hasBitmap || blocks.count(kCfDib) != 0;
    if (format == kCfPalette) return !palette.empty();
    return blocks.count(format) != 0;
}

void FakeClipboard::LetCopyElsewhereLandUnlessHeld() const {
    if (holds > 0 || !nextCopyElsewhere) return;
    std::exchange(nextCopyElsewhere, nullptr)();
}

void FakeClipboard::Hold() const {
    if (busy && holds == 0) throw ClipboardError("クリップボードを開けません");
    ++holds;
}

void FakeClipboard::Release() const {
    --holds;
    LetCopyElsewhereLandUnlessHeld();
}

std::optional<std::string> FakeClipboard::Text() const {
    LetCopyElsewhereLandUnlessHeld();
    return text;
}

bool FakeClipboard::ReadBlock(unsigned format, const std::function<void(GlobalHandle)>& copyOut) const {
    LetCopyElsewhereLandUnlessHeld();
    auto found = blocks.find(format);
    if (found == blocks.end()) return false;
    ++blockReads;
    UniqueGlobal block(GlobalBlockAlloc(kGmemMoveable, found->second.size()));
    {
        GlobalLockGuard lock(block.get());
        if (!found->second.empty()) std::memcpy(lock.Bytes(), found->second.data(), found->second.size());
    }
    copyOut(block.get());
    return true;
}

UniquePalette FakeClipboard::Palette() const {
    LetCopyElsewhereLandUnlessHeld();
    if (palette.empty()) return UniquePalette();
    return UniquePalette(PaletteCreate(palette.data(), static_cast<unsigned>(palette.size())));
}

std::optional<std::uint32_t> FakeClipboard::NamedFormatNumber(const std::string& name) const {
    auto found = namedBlocks.find(name);
    if (found == namedBlocks.end() || found->second.size() < 4) return std::nullopt;
    const auto& b = found->second;
    return static_cast<std::uint32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

void FakeClipboard::Empty() {
    text.reset();
    blocks.clear();
    namedBlocks.clear();
    palette.clear();
    hasBitmap = false;
    ++stamp;
}

void FakeClipboard::SetText(const std::string& value) {
    if (refuse) throw ClipboardError("clipboard refused");
    Empty();
    text = value;
    ++writes;
}

void FakeClipboard::SetBlock(unsigned format, UniqueGlobal block, UniquePalette newPalette) {
    if (refuse) throw ClipboardError("clipboard refused");
    Empty();
    GlobalLockGuard lock(block.get());
    const auto* bytes = static_cast<const std::uint8_t*>(lock.Bytes());
    blocks[format].assign(bytes, bytes + GlobalBlockSize(block.get()));
    if (newPalette) {
        palette.resize(PaletteSize(newPalette.get()));
        PaletteGetEntries(newPalette.get(), 0, static_cast<unsigned>(palette.size()), palette.data());
    }
    ++writes;
}

void FakeClipboard::Clear() { Empty(); }

void FakeClipboard::Offer(unsigned format, std::vector<std::uint8_t> bytes) {
    Empty();
    blocks[format] = std::move(bytes);
}

bool FakePrompts::AskYesNo(const UserText& message) {
    questions.push_back(message.Bytes());
    texts.push_back(message);
    if (whileAsking) std::exchange(whileAsking, nullptr)();
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

bool MemoryProfile::WriteStrings(const std::vector<ProfileValue>& newValues) {
    if (failAt >= 0 && failAt < static_cast<int>(newValues.size())) return false;
    for (const ProfileValue& v : newValues) {
        written.emplace_back(v.section, v.key);
        values[{v.section, v.key}] = v.value;
    }
    return true;
}

}  // namespace lumeret::test
