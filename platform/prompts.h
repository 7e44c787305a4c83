// Beeps and message boxes: the program's questions and error reports. The
// windows build shows real message boxes; tests put their own answers in.
#pragma once

#include <string>

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
    virtual bool AskYesNo(const std::string& message) = 0;
    // The error box (caption "ｴﾗｰ", stop icon, "OK").
    virtual void ShowError(const std::string& message) = 0;
};

}  // namespace lumeret
