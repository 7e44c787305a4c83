#include "store/clipboard_history.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/text.h"
#include "platform/row_list.h"
#include "support/fakes.h"
#include "support/row_log.h"

namespace lumeret {
namespace {

using test::FakeClipboard;

struct History : ::testing::Test {
    RowList rows;
    FakeClipboard clipboard;
    ClipboardHistory history{rows, clipboard};

    void Fill(std::initializer_list<const char*> oldestFirst) {
        for (const char* t : oldestFirst) history.AddText(t);
    }
};

TEST_F(History, NewTextEntersAtTopWithCaption) {
    EXPECT_TRUE(history.AddText("abc"));
    ASSERT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Entry(0), "abc");
    EXPECT_EQ(rows.Rows(), std::vector<std::string>{"abc"});
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(History, EmptyTextChangesNothing) {
    EXPECT_FALSE(history.AddText(""));
    EXPECT_EQ(history.Count(), 0);
    EXPECT_TRUE(rows.Rows().empty());
}

TEST_F(History, KnownTextMovesToTopAndTheClipboardIsLeftAlone) {
    Fill({"e4", "e3", "e2", "e1", "e0"});  // e0 newest
    clipboard.text = "  e3\r\n";  // as the other program copied it
    EXPECT_FALSE(history.AddText("e3"));
    EXPECT_EQ(history.Count(), 5);
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"e3", "e0", "e1", "e2", "e4"}));
    EXPECT_EQ(rows.Selected(), 0);
    EXPECT_EQ(clipboard.text, "  e3\r\n");
    EXPECT_EQ(clipboard.writes, 0);
}

// A list box draws itself once per batch: a text moved up and an entry
// deleted are one batch each.
TEST_F(History, MovingAKnownTextUpAndDeletingAreOneBatchEach) {
    Fill({"e2", "e1", "e0"});
    test::RowLog log;
    rows.SetObserver(&log);
    history.AddText("e2");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"begin", "+0 e2", "-3", "select 0", "end"}));
    log.lines.clear();
    rows.Select(1);
    history.DeleteSelected();
    EXPECT_EQ(log.lines, (std::vector<std::string>{"select 1", "begin", "-1", "select 1", "end"}));
    rows.SetObserver(nullptr);
}

TEST_F(History, TopTextStaysWithoutAWrite) {
    Fill({"b", "a"});
    EXPECT_FALSE(history.AddText("a"));
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(History, ComparisonIsByteExactAndCaseSensitive) {
    Fill({"abc"});
    EXPECT_TRUE(history.AddText("ABC"));
    EXPECT_EQ(history.IndexOf("abc"), 1);
    EXPECT_EQ(history.IndexOf("ab"), -1);
}

TEST_F(History, CaptionIsFirst64BytesUntrimmedWithLineBreaks) {
    std::string text = "line1\r\nline2\t" + std::string(300, 'x');
    history.AddText(text);
    EXPECT_EQ(rows.Row(0), text.substr(0, 64));
    // The cut counts bytes and may split a double-byte character.
    std::string kanji;
    for (int i = 0; i < 40; ++i) kanji += "漢";
    history.AddText(kanji);
    EXPECT_EQ(rows.Row(0).size(), 64u);
}

// The marker is the program's own words beside the entry's data: on a system
// whose code page is not the program's it is not read as data.
TEST_F(History, PreviewMarkerFollowsExactly256Bytes) {
    UserText preview("kept");
    history.AddText(std::string(300, 'a'));
    rows.Select(0);
    history.GetPreview(preview);
    EXPECT_EQ(preview.Bytes(), std::string(256, 'a') + "\r\n＜つづく＞");
    ASSERT_EQ(preview.Pieces().size(), 2u);
    EXPECT_TRUE(preview.Pieces()[0].data);
    EXPECT_FALSE(preview.Pieces()[1].data);
    EXPECT_EQ(kContinuationMarker.size(), 12u);
    EXPECT_EQ(kContinuationMarker.substr(2), "\x81\x83\x82\xC2\x82\xC3\x82\xAD\x81\x84");

    history.AddText(std::string(256, 'b'));
    rows.Select(0);
    history.GetPreview(preview);
    EXPECT_EQ(preview.Bytes(), std::string(256, 'b') + kContinuationMarker);

    history.AddText(std::string(255, 'c'));
    rows.Select(0);
    history.GetPreview(preview);
    EXPECT_EQ(preview.Bytes(), std::string(255, 'c'));
    EXPECT_EQ(preview.Pieces().size(), 1u);
}

TEST_F(History, PreviewWithoutSelectionKeepsOutValue) {
    history.AddText("abc");
    rows.Select(-1);
    UserText preview("before");
    history.GetPreview(preview);
    EXPECT_EQ(preview.Bytes(), "before");
}

TEST_F(History, ACopyTheClipboardRefusesKeepsTheEntryWhereItWas) {
    Fill({"c", "b", "a"});
    rows.Select(1);
    clipboard.refuse = true;
    EXPECT_THROW(history.CopySelected(), ClipboardError);
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(history.Entry(1), "b");
    EXPECT_EQ(rows.Selected(), 1);
}

TEST_F(History, DeleteSelectedSelectsNeighbour) {
    Fill({"e4", "e3", "e2", "e1", "e0"});
    rows.Select(2);
    EXPECT_TRUE(history.DeleteSelected());
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"e0", "e1", "e3", "e4"}));
    EXPECT_EQ(rows.Selected(), 2);

    rows.Select(3);
    EXPECT_TRUE(history.DeleteSelected());
    EXPECT_EQ(rows.Selected(), 2);
    EXPECT_EQ(history.Count(), 3);
    EXPECT_EQ(clipboard.writes, 0);  // only emptying the history touches the clipboard
}

TEST_F(History, DeletingTheOnlyEntryEmptiesTheClipboard) {
    clipboard.SetText("only");
    history.AddText("only");
    rows.Select(0);
    EXPECT_TRUE(history.DeleteSelected());
    EXPECT_EQ(history.Count(), 0);
    EXPECT_EQ(rows.Selected(), -1);
    EXPECT_FALSE(clipboard.text.has_value());
}

TEST_F(History, NothingSelectedMeansNothingDeletedOrCopied) {
    Fill({"a", "b"});
    rows.Select(-1);
    EXPECT_FALSE(history.DeleteSelected());
    EXPECT_FALSE(history.CopySelected());
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(History, DeleteAllByRepeatedDeleteSelected) {
    Fill({"a", "b", "c"});
    rows.Select(1);
    int n = history.Count();
    for (int i = 0; i < n; ++i) history.DeleteSelected();
    EXPECT_EQ(history.Count(), 0);
    EXPECT_TRUE(rows.Rows().empty());
}

TEST_F(History, CopySelectedTakesEntryOutAndItsChangeBringsItBack) {
    Fill({"e4", "e3", "e2", "e1", "e0"});
    rows.Select(4);
    EXPECT_TRUE(history.CopySelected());
    EXPECT_EQ(history.Count(), 4);
    EXPECT_EQ(clipboard.text, "e4");
    EXPECT_TRUE(history.AddText(*clipboard.text));
    EXPECT_EQ(history.Entry(0), "e4");
    EXPECT_EQ(history.Count(), 5);
}

TEST_F(History, PushToTopCopiesTheEntryAndKeepsIt) {
    Fill({"c", "b", "a"});
    history.PushToTop(2);
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"c", "a", "b", "c"}));
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(History, SelectedTextNeedsASelection) {
    Fill({"b", "a"});
    std::string text = "unchanged";
    rows.Select(-1);
    history.GetSelectedText(text);
    EXPECT_EQ(text, "unchanged");
    rows.Select(1);
    history.GetSelectedText(text);
    EXPECT_EQ(text, "b");
}

TEST_F(History, DeleteIgnoresIndexOutsideEntries) {
    Fill({"a"});
    history.Delete(-1);
    history.Delete(1);
    EXPECT_EQ(history.Count(), 1);
}

}  // namespace
}  // namespace lumeret

