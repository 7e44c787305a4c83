// The program-wide error display: an exception that ends a handler has its
// message shown in the error box of the program's prompts, and the program
// goes on with the next message.
#pragma once

#include <exception>
#include <new>
#include <string>

#include "platform/errors.h"

namespace lumeret {

// Shows message in the error box of AppPrompts().
void ReportError(const UserText& message);

// Runs a handler; an exception it throws is reported and goes no further, so
// none ever crosses a Win32 callback.
template <typename Handler>
void CallGuarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const Exception& e) {
        ReportError(e.Text());
    } catch (const std::bad_alloc&) {
        ReportError("Out of memory");
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unknown error");
    }
}

}  // namespace lumeret
