#include "platform/error_report.h"

#include "platform/prompts.h"

namespace lumeret {

void ReportError(const UserText& message) { AppPrompts().ShowError(message); }

}  // namespace lumeret
