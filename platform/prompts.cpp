#include "platform/prompts.h"

namespace lumeret {

namespace {
IPrompts* g_prompts = nullptr;
}  // namespace

IPrompts& AppPrompts() { return g_prompts ? *g_prompts : SystemPrompts(); }

IPrompts* SetAppPrompts(IPrompts* prompts) {
    IPrompts* previous = &AppPrompts();
    g_prompts = prompts;
    return previous;
}

}  // namespace lumeret
