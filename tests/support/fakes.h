// In-memory stand-ins for the interfaces the core reaches the system through.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/list_rows.h"
#include "platform/prompts.h"

namespace lumeret::test {

class FakeListRows : public IListRows {
public:
    int Count() const override { return static_cast<int>(rows.size()); }
    std::string Row(int index) const override { return rows.at(static_cast<std::size_t>(index)); }
    void Insert(int index, const std::string& caption) override;
    void Add(const std::string& caption) override { rows.push_back(caption); }
    void Remove(int index) override;
    void Clear() override;
    int Selected() const override { return selected; }
    void Select(int index) override { selected = (index >= 0 && index < Count()) ? index : -1; }
    bool IsSelected(int index) const override { return index == selected && index >= 0; }

    std::vector<std::string> rows;
    int selected = -1;
};

class FakeClipboard : public IClipboard {
public:
    bool HasFormat(unsigned format) const override;
    std::optional<std::string> Text() const override { return text; }
    void SetText(const std::string& value) override;
    void Clear() override;
    std::uint32_t ChangeStamp() const override { return stamp; }

    std::optional<std::string> text;
    bool hasBitmap = false;
    std::uint32_t stamp = 1;
    int writes = 0;
};

class FakePrompts : public IPrompts {
public:
    void Beep(BeepKind kind) override { beeps.push_back(kind); }
    bool AskYesNo(const std::string& message) override;
    void ShowError(const std::string& message) override { errors.push_back(message); }

    std::vector<BeepKind> beeps;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::deque<bool> answers;  // answers to give, in order; No when empty
};

}  // namespace lumeret::test
