#include "store/text_export.h"

#include "platform/text.h"

namespace lumeret {

const std::string kHtmlHeader =
    "<!-- Lumeret for Windows -->\r\n"
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<TITLE>Lumeretファイル出力</TITLE>\r\n"
    "</HEAD>\r\n"
    "<BODY>";

const std::string kHtmlFooter = "</BODY>\r\n</HTML>";

namespace {

// U+3000 in code page 932.
constexpr std::string_view kFullWidthSpace = "\x81\x40";

std::size_t LeadingControlBytes(std::string_view line) {
    std::size_t n = 0;
    while (n < line.size() && static_cast<unsigned char>(line[n]) < 33) ++n;
    return n;
}

// lead / 2 rounded to the nearest whole number, a half going to the even one.
std::size_t HalfToEven(std::size_t lead) {
    std::size_t half = lead / 2;
    if (lead % 2 == 1 && half % 2 == 1) ++half;
    return half;
}

}  // namespace

std::string HtmlLine(std::string_view line) {
    std::size_t lead = LeadingControlBytes(line);
    std::string out;
    for (std::size_t k = HalfToEven(lead); k > 0; --k) out += kFullWidthSpace;
    // Byte by byte is safe: neither "<" nor ">" can be the second byte of a
    // double-byte character.
    for (char c : line) {
        if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
    out += "<BR>";
    return out;
}

void ConvertToHtml(std::vector<std::string>& lines) {
    std::vector<std::string> page;
    page.reserve(lines.size() + 2);
    page.push_back(kHtmlHeader);
    for (const std::string& line : lines) page.push_back(HtmlLine(line));
    page.push_back(kHtmlFooter);
    lines = std::move(page);
}

bool IsHtmlExportName(std::string_view fileName) { return ExtractFileExt(fileName) == ".htm"; }

}  // namespace lumeret
