// The main window's status line: a short text that clears itself on the
// third tick of a one-second timer after it was last set, and the count of
// presses that met an already-registered text since it last cleared.
#pragma once

#include <cstdint>
#include <string>

#include "platform/signal.h"

namespace lumeret {

class StatusLine {
public:
    // Sets the text and (re)starts the clearing timer.
    void Show(const std::string& text);
    // One more press on an already-registered text: the count goes up and the
    // line walks its ladder of texts (nothing more past 399 presses).
    void ShowAlreadyRegistered();
    // A tick of the timer; the third one empties the line, resets the count
    // and stops the timer.
    void Tick();

    const std::string& Text() const { return text_; }
    std::int32_t RepeatCount() const { return repeatCount_; }
    bool TimerRunning() const { return timerRunning_; }

    // After every Show (the timer starts again from nothing) and when the
    // line clears.
    Signal<> changed;

private:
    std::string text_;
    std::uint8_t ticks_ = 0;
    std::int32_t repeatCount_ = 0;
    bool timerRunning_ = false;
};

}  // namespace lumeret
