// Beeps and message boxes: the program's questions and error reports. The
// windows build shows real message boxes; tests put their own answers in.
#pragma once

#include "platform/user_text.h"

namespace lumeret {

enum class BeepKind : unsigned {
    Default = 0x00,      // MB_OK
    Question = 0x20,     // MB_ICONQUESTION
    Exclamation = 0x30,  // MB_ICONEXCLAMATION
};

class IPrompts {
public:
    virtual ~IPrompts() = default;

    virtual void Beep(BeepKind kind) = 0;
    // The information box (caption "情報") with "はい(&Y)" and "いいえ(&N)";
    // true for Yes.
    virtual bool AskYesNo(const UserText& message) = 0;
    // The error box (caption "ｴﾗｰ", stop icon, "OK").
    virtual void ShowError(const UserText& message) = 0;
};

// The program's prompts: the system's own unless a test replaced them.
IPrompts& AppPrompts();
// Replaces the prompts (nullptr restores the system's); returns the previous.
IPrompts* SetAppPrompts(IPrompts* prompts);

// The running system's prompts: message boxes and beeps on Windows, the
// standard error stream in the native build.
IPrompts& SystemPrompts();

}  // namespace lumeret
