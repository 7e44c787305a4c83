#include "platform/list_box_win32.h"

#include <gtest/gtest.h>

#include "support/list_box_host_win32.h"

namespace lumeret {
namespace {

struct ListBoxRows : ::testing::Test {
    test::ListBoxHost host;
    ListBoxWin32 rows{host.List()};
};

TEST_F(ListBoxRows, StartsEmptyWithNoSelection) {
    ASSERT_NE(host.List(), nullptr);
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(rows.Selected(), -1);
    EXPECT_FALSE(rows.IsSelected(0));
}

TEST_F(ListBoxRows, InsertAndAddKeepOrderUnsorted) {
    rows.Add("zeta");
    rows.Add("alpha");
    rows.Insert(0, "mid");
    rows.Insert(3, "end");
    ASSERT_EQ(rows.Count(), 4);
    EXPECT_EQ(rows.Row(0), "mid");
    EXPECT_EQ(rows.Row(1), "zeta");
    EXPECT_EQ(rows.Row(2), "alpha");
    EXPECT_EQ(rows.Row(3), "end");
}

TEST_F(ListBoxRows, CaptionsAreAnsiBytes) {
    const std::string caption = "日本語のテキスト\r\nline two\ttab";
    rows.Add(caption);
    EXPECT_EQ(rows.Row(0), caption);
    EXPECT_EQ(SendMessageA(host.List(), LB_GETTEXTLEN, 0, 0), static_cast<LRESULT>(caption.size()));
}

TEST_F(ListBoxRows, SelectionFollowsSelectAndGoesAwayOutsideRows) {
    rows.Add("a");
    rows.Add("b");
    rows.Add("c");
    rows.Select(1);
    EXPECT_EQ(rows.Selected(), 1);
    EXPECT_TRUE(rows.IsSelected(1));
    EXPECT_FALSE(rows.IsSelected(0));
    rows.Select(3);
    EXPECT_EQ(rows.Selected(), -1);
    rows.Select(2);
    rows.Select(-1);
    EXPECT_EQ(rows.Selected(), -1);
    EXPECT_FALSE(rows.IsSelected(2));
}

TEST_F(ListBoxRows, RemoveAndClear) {
    rows.Add("a");
    rows.Add("b");
    rows.Add("c");
    rows.Remove(1);
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_EQ(rows.Row(1), "c");
    rows.Select(0);
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(rows.Selected(), -1);
}

TEST_F(ListBoxRows, RowOutsideRowsIsEmpty) {
    rows.Add("a");
    EXPECT_EQ(rows.Row(5), "");
}

}  // namespace
}  // namespace lumeret
