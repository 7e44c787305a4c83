// The program-wide error display: an exception that ends a handler has its
// message shown here, and the program goes on with the next message.
#pragma once

#include <exception>
#include <string>

#include "platform/errors.h"

namespace lumeret {

using ErrorReporter = void (*)(const std::string& message);

// Replaces the reporter (tests record the messages instead of showing a box);
// returns the previous one.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Shows message with the current reporter (by default the error message box).
void ReportError(const std::string& message);

// Runs a handler; an exception it throws is reported and goes no further, so
// none ever crosses a Win32 callback.
template <typename Handler>
void CallGuarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const Exception& e) {
        ReportError(e.Message());
    } catch (const std::bad_alloc&) {
        ReportError("Out of memory");
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unknown error");
    }
}

}  // namespace lumeret
