// The main window's status texts, and what a press of the register button
// shows for an already-registered text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumeret::status {

extern const char* const kPleaseWait;
extern const char* const kBitmapRegistered;
extern const char* const kTextRegistered;
extern const char* const kAlreadyRegistered;
extern const char* const kThatIsEnough;
extern const char* const kForYourHealth;
extern const char* const kDots;
extern const char* const kRegisterEmpty;  // after a register press
extern const char* const kCleared;
extern const char* const kIsText;
extern const char* const kIsBitmap;
extern const char* const kIsEmpty;  // after a status-line click

// The texts to show, in order, for one more press on an already-registered
// text; repeatCount is raised by one. Past 399 presses nothing is shown.
std::vector<std::string> AlreadyRegisteredPress(std::int32_t& repeatCount);

}  // namespace lumeret::status
