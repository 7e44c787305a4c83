#include "store/text_export.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/errors.h"
#include "platform/text.h"
#include "store/clip_numbering.h"
#include "store/text_clip_store.h"
#include "platform/row_list.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"

namespace lumeret {
namespace {

const std::string kHeaderBytes =
    "<!-- Lumeret for Windows -->\r\n<HTML>\r\n<HEAD>\r\n"
    "<TITLE>Lumeret\x83\x74\x83\x40\x83\x43\x83\x8B\x8F\x6F\x97\xCD</TITLE>\r\n</HEAD>\r\n<BODY>";

TEST(HtmlPage, HeaderAndFooterAreExactBytes) {
    EXPECT_EQ(kHtmlHeader.size(), 97u);
    EXPECT_EQ(kHtmlHeader, kHeaderBytes);
    EXPECT_EQ(kHtmlFooter.size(), 16u);
    EXPECT_EQ(kHtmlFooter, "</BODY>\r\n</HTML>");
}

TEST(HtmlPage, AngleBracketsAreEscapedAndNothingElse) {
    EXPECT_EQ(HtmlLine("a<b>c"), "a&lt;b&gt;c<BR>");
    EXPECT_EQ(HtmlLine("<<x>>"), "&lt;&lt;x&gt;&gt;<BR>");
    EXPECT_EQ(HtmlLine("a & b \"q\" 'r'"), "a & b \"q\" 'r'<BR>");
    EXPECT_EQ(HtmlLine("&lt;"), "&lt;<BR>");
    EXPECT_EQ(HtmlLine(""), "<BR>");
    // Double-byte characters pass unchanged, also one whose second byte is "\".
    EXPECT_EQ(HtmlLine("表<"), "表&lt;<BR>");
}

TEST(HtmlPage, LeadingBlanksGetHalfAsManyFullWidthSpacesRoundedToEven) {
    const std::string w = "\x81\x40";
    EXPECT_EQ(HtmlLine(" x"), " x<BR>");
    EXPECT_EQ(HtmlLine("\tx"), "\tx<BR>");
    EXPECT_EQ(HtmlLine("  x"), w + "  x<BR>");
    EXPECT_EQ(HtmlLine("   x"), w + w + "   x<BR>");
    EXPECT_EQ(HtmlLine("    x"), w + w + "    x<BR>");
    EXPECT_EQ(HtmlLine("     x"), w + w + "     x<BR>");
    EXPECT_EQ(HtmlLine("      x"), w + w + w + "      x<BR>");
    EXPECT_EQ(HtmlLine("       x"), w + w + w + w + "       x<BR>");
    EXPECT_EQ(HtmlLine(" \t<"), w + " \t&lt;<BR>");
}

TEST(HtmlPage, ConvertWrapsTheLinesInHeaderAndFooter) {
    std::vector<std::string> lines{"a<b>c", "", "  x"};
    ConvertToHtml(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{kHtmlHeader, "a&lt;b&gt;c<BR>", "<BR>", "\x81\x40  x<BR>", kHtmlFooter}));
    std::vector<std::string> none;
    ConvertToHtml(none);
    EXPECT_EQ(none, (std::vector<std::string>{kHtmlHeader, kHtmlFooter}));
}

TEST(HtmlPage, OnlyALowerCaseHtmExtensionAsksForThePage) {
    EXPECT_TRUE(IsHtmlExportName("C:\\out\\page.htm"));
    EXPECT_TRUE(IsHtmlExportName("C:\\a.b\\page.txt.htm"));
    EXPECT_FALSE(IsHtmlExportName("C:\\out\\page.HTM"));
    EXPECT_FALSE(IsHtmlExportName("C:\\out\\page.html"));
    EXPECT_FALSE(IsHtmlExportName("C:\\out\\page.txt"));
    EXPECT_FALSE(IsHtmlExportName("C:\\out\\page"));
    EXPECT_FALSE(IsHtmlExportName("C:\\out.htm\\page"));
    // The second byte of "表" is "\": no separator, so ".htm" still counts.
    EXPECT_TRUE(IsHtmlExportName("C:\\x.txt\\表.htm"));
}

using test::FakeClipboard;
using test::FakeClipFolder;
using test::FakePrompts;

const std::string kDir = "C:\\app\\txt\\";
const std::string kTarget = "C:\\out\\clip.htm";

struct Export : ::testing::Test {
    RowList rows;
    FakeClipboard clipboard;
    FakePrompts prompts;
    FakeClipFolder folder;
    std::optional<TextClipStore> store;

    Export() {
        folder.directories = {"C:\\app", "C:\\app\\txt", "C:\\out"};
    }
    void OpenWithFile(const std::string& bytes) {
        folder.files[kDir + "00000000.txt"].bytes = bytes;
        store.emplace(rows, "C:\\app\\", "txt", folder, clipboard, prompts);
        store->RefreshList();
        rows.Select(0);
    }
    std::string Written() const { return folder.Content(kTarget); }
};

TEST_F(Export, PageOfOneLineHasNineLinesEndingInCrLf) {
    OpenWithFile("a<b>c\r\n");
    EXPECT_TRUE(store->ExportToFile(rows.Selected(), kTarget, true));
    EXPECT_EQ(Written(), kHeaderBytes + "\r\na&lt;b&gt;c<BR>\r\n</BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(SplitLines(Written()).size(), 9u);
}

TEST_F(Export, PageKeepsAmpersandsAndIndentsLeadingSpaces) {
    OpenWithFile("Tom & Jerry\r\n  two\r\n\tone tab\r\n");
    store->ExportToFile(rows.Selected(), kTarget, true);
    auto lines = SplitLines(Written());
    ASSERT_EQ(lines.size(), 3u + 8u);
    EXPECT_EQ(lines[6], "Tom & Jerry<BR>");
    EXPECT_EQ(lines[7], "\x81\x40  two<BR>");
    EXPECT_EQ(lines[8], "\tone tab<BR>");
}

TEST_F(Export, PlainExportIsTheClipFileByteForByte) {
    std::string text = "first line\r\n  second\tline <x>\r\n\r\n表示\r\n";
    OpenWithFile(ClipFileContent(Trim(text)));
    EXPECT_TRUE(store->ExportToFile(rows.Selected(), "C:\\out\\clip.txt", false));
    EXPECT_EQ(folder.Content("C:\\out\\clip.txt"), folder.Content(kDir + "00000000.txt"));
}

TEST_F(Export, PlainExportEndsEveryLineInCrLf) {
    OpenWithFile(std::string("a\nb\rc\0ignored", 13));
    store->ExportToFile(rows.Selected(), "C:\\out\\clip.txt", false);
    EXPECT_EQ(folder.Content("C:\\out\\clip.txt"), "a\r\nb\r\nc\r\n");
}

TEST_F(Export, EmptyClipGivesEmptyFileOrBarePage) {
    OpenWithFile("");
    store->ExportToFile(rows.Selected(), "C:\\out\\clip.txt", false);
    EXPECT_EQ(folder.Content("C:\\out\\clip.txt"), "");
    store->ExportToFile(rows.Selected(), kTarget, true);
    EXPECT_EQ(Written(), kHeaderBytes + "\r\n</BODY>\r\n</HTML>\r\n");
}

TEST_F(Export, ExistingTargetIsReplacedWhole) {
    folder.files[kTarget].bytes = std::string(5000, 'z');
    OpenWithFile("x\r\n");
    store->ExportToFile(rows.Selected(), kTarget, false);
    EXPECT_EQ(Written(), "x\r\n");
}

TEST_F(Export, NothingSelectedWritesNothing) {
    OpenWithFile("x\r\n");
    rows.Select(-1);
    EXPECT_FALSE(store->ExportToFile(rows.Selected(), kTarget, true));
    EXPECT_TRUE(folder.writes.empty());
}

TEST_F(Export, UnreadableClipIsAFileOpenErrorAndWritesNothing) {
    OpenWithFile("x\r\n");
    folder.unreadable.insert(kDir + "00000000.txt");
    EXPECT_THROW(store->ExportToFile(rows.Selected(), kTarget, false), FileOpenError);
    EXPECT_TRUE(folder.writes.empty());
}

TEST_F(Export, TargetThatCannotBeCreatedIsAFileCreateErrorAndStaysAsItWas) {
    OpenWithFile("x\r\n");
    folder.files[kTarget] = {"old", false, false, true};
    try {
        store->ExportToFile(rows.Selected(), kTarget, true);
        FAIL() << "no error";
    } catch (const FileCreateError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + kTarget + " を作成できません");
    }
    EXPECT_EQ(Written(), "old");
}

}  // namespace
}  // namespace lumeret
