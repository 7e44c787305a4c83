// The program's prompts: message boxes and beeps. The windows use AppPrompts();
// an unattended test puts its own answers in with SetAppPrompts.
#pragma once

#include "platform/prompts.h"

namespace lumeret {

class MessageBoxPrompts : public IPrompts {
public:
    void Beep(BeepKind kind) override;
    bool AskYesNo(const std::string& message) override;
    void ShowError(const std::string& message) override;
};

IPrompts& AppPrompts();
// Replaces the prompts (nullptr restores the message boxes); returns the previous.
IPrompts* SetAppPrompts(IPrompts* prompts);

}  // namespace lumeret
