// In-memory stand-ins for the interfaces the core reaches the system through.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/profile.h"
#include "platform/prompts.h"

namespace lumeret::test {

// The clipboard in memory. A DIB block offers a bitmap too, as the system
// does; blocks and palettes are handed out as copies of what it holds.
class FakeClipboard : public IClipboard {
public:
    bool HasFormat(unsigned format) const override;
    std::optional<std::string> Text() const override;
    bool ReadBlock(unsigned format, const std::function<void(GlobalHandle)>& copyOut) const override;
    UniquePalette Palette() const override;
    bool HasNamedFormat(const std::string& name) const override { return namedBlocks.count(name) != 0; }
    std::optional<std::uint32_t> NamedFormatNumber(const std::string& name) const override;
    void SetText(const std::string& value) override;
    void SetBlock(unsigned format, UniqueGlobal block, UniquePalette palette) override;
    void Clear() override;
    std::uint32_t ChangeStamp() const override { return stamp; }
    void Hold() const override;
    void Release() const override;

    // Another program puts a block on the clipboard.
    void Offer(unsigned format, std::vector<std::uint8_t> bytes);

    // Another program's copy, waiting for its moment: it lands just before
    // the next read of a text, a block or a palette made while the clipboard
    // is not held, else as the hold ends (no one else can open it while held).
    mutable std::function<void()> nextCopyElsewhere;

    std::optional<std::string> text;
    std::map<unsigned, std::vector<std::uint8_t>> blocks;
    std::vector<PaletteEntry> palette;
    // Blocks in registered formats, by the format's name; another program
    // adds them beside what it copies.
    std::map<std::string, std::vector<std::uint8_t>> namedBlocks;
    bool hasBitmap = false;  // a bitmap offered without a DIB the program could read
    std::uint32_t stamp = 1;
    int writes = 0;
    mutable int blockReads = 0;  // blocks handed out by ReadBlock
    bool refuse = false;  // SetText and SetBlock refuse what they are given
    bool busy = false;    // another program keeps it open: a hold fails
    mutable int holds = 0;

private:
    void Empty();
    void LetCopyElsewhereLandUnlessHeld() const;
};

class FakePrompts : public IPrompts {
public:
    void Beep(BeepKind kind) override { beeps.push_back(kind); }
    bool AskYesNo(const UserText& message) override;
    void ShowError(const UserText& message) override { errors.push_back(message.Bytes()); }

    std::vector<BeepKind> beeps;
    std::vector<std::string> questions;
    std::vector<UserText> texts;  // the questions with their pieces
    std::vector<std::string> errors;
    std::deque<bool> answers;  // answers to give, in order; No when empty
    // What happens elsewhere while a question waits for its answer.
    std::function<void()> whileAsking;
};

// A settings file in memory; failAt makes a write of more keys than that
// fail, writing none.
class MemoryProfile : public IProfile {
public:
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) override;
    bool WriteStrings(const std::vector<ProfileValue>& newValues) override;
    std::string Path() const override { return path; }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::pair<std::string, std::string>> written;
    int failAt = -1;
    std::string path = "C:\\app\\lumeret.ini";
};

}  // namespace lumeret::test
