#include <cstdio>

#include "platform/prompts.h"

namespace lumeret {

namespace {

// The native build has no message boxes: errors go to the standard error
// stream and every question is answered No.
class StandardErrorPrompts : public IPrompts {
public:
    void Beep(BeepKind) override {}
    bool AskYesNo(const UserText&) override { return false; }
    void ShowError(const UserText& message) override { std::fprintf(stderr, "%s\n", message.Bytes().c_str()); }
};

}  // namespace

IPrompts& SystemPrompts() {
    static StandardErrorPrompts prompts;
    return prompts;
}

}  // namespace lumeret
