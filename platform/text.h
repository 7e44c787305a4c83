// Byte-string helpers. Texts are bytes in the system's ANSI code page; every
// length, cut and comparison counts bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumeret {

// Removes bytes below 33 (space, tab, CR, LF, other control bytes) from both
// ends; nothing inside is touched. A text handed over is trimmed where it
// lies, without a copy.
std::string Trim(std::string text);

// The first n bytes of text (all of it when shorter).
std::string CutText(std::string_view text, std::size_t n);

// CR LF followed by the marker that ends a preview that was cut.
extern const std::string kContinuationMarker;

// Splits a text into lines at CR LF, lone CR and lone LF; a NUL byte ends the
// text, and a line break at the very end makes no extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Joins lines, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// JoinLinesCrLf(SplitLines(text)) in one pass: every line break becomes CR
// LF and a last line without one gets it. Takes one string of the result's
// size, however many lines a large text has.
std::string LinesEndedByCrLf(std::string_view text);

// The text's lines (split at CR LF, lone CR and lone LF) separated by CR LF:
// nothing is added after the last line, and a text that ends with a line
// break keeps one, since its last line is empty.
std::string LinesSeparatedByCrLf(std::string_view text);

// Whether byte c starts a double-byte character in the system's code page.
bool IsLeadByte(unsigned char c);

// Index of the extension's "." in path: the last "." after the last "\" or
// ":", double-byte aware; npos when there is none.
std::size_t ExtensionStart(std::string_view path);

// The extension with its dot ("" when none).
std::string ExtractFileExt(std::string_view path);

// path with its extension replaced by ext (ext includes the dot).
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// Everything up to and including the last "\" or ":" ("" when none).
std::string ExtractFilePath(std::string_view path);

// Everything after the last "\" or ":" (all of path when none).
std::string ExtractFileName(std::string_view path);

// ASCII letters upper-cased, double-byte characters left alone.
std::string UpperCaseAnsi(std::string_view text);

}  // namespace lumeret
