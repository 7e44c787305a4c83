#include "platform/error_report.h"

namespace lumeret {

// Shows the error box of the platform; defined per build.
void ShowErrorBox(const std::string& message);

namespace {
ErrorReporter g_reporter = &ShowErrorBox;
}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = g_reporter;
    g_reporter = reporter ? reporter : &ShowErrorBox;
    return previous;
}

void ReportError(const std::string& message) { g_reporter(message); }

}  // namespace lumeret
