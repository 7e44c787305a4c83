// A list of rows with one selected row, as a single-selection list box keeps
// them, telling its observer of every change; batches of changes reach the
// observer between one begin and one end.
#include "platform/row_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/row_log.h"

namespace lumeret {
namespace {

using Lines = std::vector<std::string>;

struct Rows : ::testing::Test {
    RowList rows;
    test::RowLog log;

    Rows() { rows.SetObserver(&log); }
};

TEST_F(Rows, TheSelectionFollowsItsRowThroughInsertsAndRemovals) {
    for (const char* r : {"a", "b", "c"}) rows.Add(r);
    rows.Select(1);
    rows.Insert(0, "top");  // above the selected row: it moves down with it
    EXPECT_EQ(rows.Selected(), 2);
    rows.Insert(3, "below");  // below it: it stays
    EXPECT_EQ(rows.Selected(), 2);
    rows.Remove(0);
    EXPECT_EQ(rows.Selected(), 1);
    EXPECT_EQ(rows.Row(1), "b");
    rows.Remove(1);  // the selected row itself: none is left selected
    EXPECT_EQ(rows.Selected(), -1);
    rows.Select(9);
    EXPECT_EQ(rows.Selected(), -1);
    rows.Insert(-5, "end");  // an index outside the rows adds at the end
    EXPECT_EQ(rows.Rows().back(), "end");
    rows.Remove(42);  // nothing to remove, nothing told
    EXPECT_EQ(log.lines.back(), "+3 end");
}

TEST_F(Rows, EveryChangeIsToldAfterItIsMade) {
    rows.Add("a");
    rows.Insert(0, "b");
    rows.Select(1);
    rows.Remove(0);
    rows.Clear();
    EXPECT_EQ(log.lines, (Lines{"+0 a", "+0 b", "select 1", "-0", "clear"}));
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(rows.Selected(), -1);
}

TEST_F(Rows, NestedBatchesAreToldAsOne) {
    {
        RowList::Batch outer(rows);
        rows.Add("a");
        {
            RowList::Batch inner(rows);
            rows.Add("b");
        }
        rows.Select(0);
    }
    rows.Add("after");
    EXPECT_EQ(log.lines, (Lines{"begin", "+0 a", "+1 b", "select 0", "end", "+2 after"}));
}

TEST_F(Rows, ABatchLeftByAnErrorStillEnds) {
    try {
        RowList::Batch batch(rows);
        rows.Add("a");
        throw std::runtime_error("refused");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(log.lines, (Lines{"begin", "+0 a", "end"}));
    RowList::Batch next(rows);
    EXPECT_EQ(log.lines.back(), "begin");
}

TEST_F(Rows, AnObserverThatComesOrGoesWithinABatchIsNotToldItsEnd) {
    {
        RowList::Batch batch(rows);
        rows.SetObserver(nullptr);
        rows.Add("unseen");
    }
    EXPECT_EQ(log.lines, (Lines{"begin"}));

    test::RowLog late;
    {
        RowList::Batch batch(rows);  // begun with no observer
        rows.SetObserver(&late);
        rows.Add("seen");
    }
    EXPECT_EQ(late.lines, (Lines{"+1 seen"}));
}

}  // namespace
}  // namespace lumeret
