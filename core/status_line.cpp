#include "core/status_line.h"

#include "core/status_texts.h"

namespace lumeret {

namespace {
constexpr int kClearingTick = 3;
}  // namespace

void StatusLine::Show(const std::string& text) {
    text_ = text;
    ticks_ = 0;
    timerRunning_ = true;
    changed();
}

void StatusLine::ShowAlreadyRegistered() {
    for (const auto& text : status::AlreadyRegisteredPress(repeatCount_)) Show(text);
}

void StatusLine::Tick() {
    if (!timerRunning_) return;
    if (++ticks_ < kClearingTick) return;
    text_.clear();
    repeatCount_ = 0;
    timerRunning_ = false;
    changed();
}

}  // namespace lumeret
