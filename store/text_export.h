// Text export: a text clip written out as a plain text file or as a small
// HTML page, bytes unchanged (ANSI code page, no byte-order mark, CR LF after
// every line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumeret {

// The page's first six lines joined by CR LF, without one after "<BODY>":
// written as one line, the writer adds it (97 bytes).
extern const std::string kHtmlHeader;
// "</BODY>" CR LF "</HTML>", the page's last two lines as one (16 bytes).
extern const std::string kHtmlFooter;

// Turns the lines of one clip into the lines of the page: the header first,
// each clip line converted and ended with "<BR>", the footer last.
void ConvertToHtml(std::vector<std::string>& lines);

// One clip line as a page line: "<" and ">" escaped, a full-width space for
// every two leading control bytes (half rounded to even), then "<BR>".
std::string HtmlLine(std::string_view line);

// Whether a chosen export file name asks for the page form: its extension is
// exactly ".htm" (letter case matters; ".HTM" and ".html" give plain text).
bool IsHtmlExportName(std::string_view fileName);

}  // namespace lumeret
