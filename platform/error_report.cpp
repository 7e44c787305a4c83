#include "platform/error_report.h"

#include "platform/prompts.h"

namespace lumeret {

void ReportError(const std::string& message) { AppPrompts().ShowError(message); }

}  // namespace lumeret
