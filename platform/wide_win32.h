// The program's own texts are code-page-932 bytes; they reach the screen
// through the wide-character functions, so they read right on any system.
// Clip data stays in the system's ANSI code page and goes through the A calls.
#pragma once

#include <string>

namespace lumeret {

std::wstring FromCp932(const std::string& text);
std::string ToCp932(const std::wstring& text);

}  // namespace lumeret
