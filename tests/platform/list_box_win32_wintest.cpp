// A list box showing a list of rows: every change of the rows is made to
// the control, and the user's selection in the control reaches the rows.
#include "platform/list_box_win32.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/list_box_host_win32.h"

namespace lumeret {
namespace {

using Rows = std::vector<std::string>;

struct ListBoxShowingRows : ::testing::Test {
    test::ListBoxHost host;
    RowList rows;
    std::optional<ListBoxView> view;

    void Show() { view.emplace(host.List(), rows); }
    int Count() const { return static_cast<int>(SendMessageA(host.List(), LB_GETCOUNT, 0, 0)); }
    int Selected() const { return static_cast<int>(SendMessageA(host.List(), LB_GETCURSEL, 0, 0)); }
    std::string Row(int index) const {
        std::string text(static_cast<std::size_t>(SendMessageA(host.List(), LB_GETTEXTLEN, index, 0)), '\0');
        SendMessageA(host.List(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        return text;
    }
    // The last row the control's scroll bar reaches.
    int ScrollBarMax() const {
        SCROLLINFO info{sizeof info, SIF_RANGE};
        GetScrollInfo(host.List(), SB_VERT, &info);
        return info.nMax;
    }
    Rows Shown() const {
        Rows out;
        for (int i = 0; i < Count(); ++i) out.push_back(Row(i));
        return out;
    }
};

TEST_F(ListBoxShowingRows, StartsWithTheRowsAndTheirSelection) {
    ASSERT_NE(host.List(), nullptr);
    rows.Add("a");
    rows.Add("b");
    rows.Select(1);
    Show();
    EXPECT_EQ(Shown(), (Rows{"a", "b"}));
    EXPECT_EQ(Selected(), 1);
}

TEST_F(ListBoxShowingRows, InsertAddRemoveAndClearReachTheControlInOrder) {
    Show();
    rows.Add("zeta");
    rows.Add("alpha");
    rows.Insert(0, "mid");
    rows.Insert(3, "end");
    EXPECT_EQ(Shown(), (Rows{"mid", "zeta", "alpha", "end"}));
    rows.Remove(1);
    EXPECT_EQ(Shown(), (Rows{"mid", "alpha", "end"}));
    rows.Clear();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ListBoxShowingRows, CaptionsAreAnsiBytes) {
    Show();
    const std::string caption = "日本語のテキスト\r\nline two\ttab";
    rows.Add(caption);
    EXPECT_EQ(Row(0), caption);
    EXPECT_EQ(SendMessageA(host.List(), LB_GETTEXTLEN, 0, 0), static_cast<LRESULT>(caption.size()));
}

TEST_F(ListBoxShowingRows, SelectionStaysAlikeThroughInsertsAndRemovals) {
    Show();
    for (const char* r : {"a", "b", "c"}) rows.Add(r);
    rows.Select(1);
    EXPECT_EQ(Selected(), 1);
    rows.Insert(0, "top");  // the selection moves down with its row
    EXPECT_EQ(rows.Selected(), 2);
    EXPECT_EQ(Selected(), 2);
    rows.Remove(2);  // removing the selected row leaves none
    EXPECT_EQ(rows.Selected(), -1);
    EXPECT_EQ(Selected(), -1);
    rows.Select(7);
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ListBoxShowingRows, TheUsersSelectionReachesTheRows) {
    Show();
    for (const char* r : {"a", "b", "c"}) rows.Add(r);
    SendMessageA(host.List(), LB_SETCURSEL, 2, 0);
    view->TakeSelectionFromControl();
    EXPECT_EQ(rows.Selected(), 2);
}

// The control draws nothing during a batch and gets its drawing back when
// the batch ends: its scroll bar then reaches every row.
TEST_F(ListBoxShowingRows, TheScrollBarReachesEveryRowWhenABatchEnds) {
    for (int i = 0; i < 30; ++i) rows.Add("first " + std::to_string(i));
    Show();
    EXPECT_EQ(ScrollBarMax(), 29);
    {
        RowList::Batch batch(rows);
        rows.Clear();
        for (int i = 0; i < 40; ++i) rows.Add("row " + std::to_string(i));
        rows.Select(39);
        EXPECT_EQ(Count(), 40);  // the rows are there at once
        EXPECT_EQ(Selected(), 39);
    }
    EXPECT_EQ(ScrollBarMax(), 39);
    rows.Add("outside a batch");
    EXPECT_EQ(ScrollBarMax(), 40);
}

TEST_F(ListBoxShowingRows, AViewThatGoesWithinABatchLeavesTheControlDrawing) {
    Show();
    RowList::Batch batch(rows);
    for (int i = 0; i < 40; ++i) rows.Add("row " + std::to_string(i));
    view.reset();
    EXPECT_EQ(ScrollBarMax(), 39);
    SendMessageA(host.List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("the control's own"));
    EXPECT_EQ(ScrollBarMax(), 40);
}

TEST_F(ListBoxShowingRows, AViewThatGoesLeavesTheRowsAlone) {
    Show();
    view.reset();
    rows.Add("after");  // no observer left to tell
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(rows.Count(), 1);
}

// The row under a point, also past the 65,536th row, whose index the list
// box gives only in part.
TEST_F(ListBoxShowingRows, TheRowAtAPointIsFoundAlsoPastRow65535) {
    EXPECT_EQ(ListBoxItemAt(host.List(), 5, 5), -1);  // no rows
    {
        RowList::Batch batch(rows);
        for (int i = 0; i < 65536 + 40; ++i) rows.Add("row");
        Show();
    }
    auto rowAt = [&](int index) {
        RECT r{};
        SendMessageA(host.List(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return ListBoxItemAt(host.List(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    EXPECT_EQ(rowAt(0), 0);
    EXPECT_EQ(rowAt(3), 3);
    SendMessageA(host.List(), LB_SETTOPINDEX, 65536 + 2, 0);
    EXPECT_EQ(rowAt(65536 + 2), 65536 + 2);
    EXPECT_EQ(rowAt(65536 + 6), 65536 + 6);
    SendMessageA(host.List(), LB_SETTOPINDEX, 65530, 0);
    EXPECT_EQ(rowAt(65534), 65534);
    EXPECT_EQ(rowAt(65537), 65537);
}

}  // namespace
}  // namespace lumeret
