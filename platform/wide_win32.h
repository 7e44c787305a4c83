// The program's own texts are code-page-932 bytes; they reach the screen
// through the wide-character functions, so they read right on any system.
// Clip data stays in the system's ANSI code page and goes through the A calls.
#pragma once

#include <string>

#include "platform/user_text.h"

namespace lumeret {

std::wstring FromCp932(const std::string& text);
std::string ToCp932(const std::wstring& text);
// Data in a code page of the system's (CP_ACP: its ANSI code page).
std::wstring FromCodePage(const std::string& text, unsigned codePage);
// With exact given, no look-alike stands in for a character the code page
// lacks (as "e" would for "\xE9" in code page 932): it becomes the default
// character, "?", and exact tells whether that happened.
std::string ToCodePage(const std::wstring& text, unsigned codePage, bool* exact = nullptr);
// The program's words from code page 932, the data from dataCodePage.
std::wstring ToWide(const UserText& text, unsigned dataCodePage = 0 /* CP_ACP */);

}  // namespace lumeret
