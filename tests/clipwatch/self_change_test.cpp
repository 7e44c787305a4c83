// The history's own clipboard write, reported while it is still under way (as
// a viewer on the writing thread sees it) or afterwards, starts no repetition.
#include <gtest/gtest.h>

#include <functional>

#include "platform/text.h"
#include "store/clipboard_history.h"
#include "support/fakes.h"

namespace lumeret {
namespace {

// A clipboard that reports each write at once, from inside the write.
class ReportingClipboard : public test::FakeClipboard {
public:
    void SetText(const std::string& value) override {
        FakeClipboard::SetText(value);
        if (onWrite) onWrite();
    }
    std::function<void()> onWrite;
};

struct OwnWrite : ::testing::Test {
    test::FakeListRows rows;
    ReportingClipboard clipboard;
    ClipboardHistory history{rows, clipboard};
    int added = 0;
    int skipped = 0;
    int runs = 0;

    // The main window's handling of a change that offers text.
    void OnClipChange() {
        if (++runs > 50) return;  // a repetition stops here, not in a stack overflow
        if (!clipboard.HasFormat(kCfText)) return;
        if (history.IsOwnWrite()) {
            ++skipped;
            return;
        }
        ++added;
        history.AddText(Trim(clipboard.text.value_or("")));
        rows.Select(0);
    }

    void CopyFromOutside(const std::string& text) {
        clipboard.text = text;
        ++clipboard.stamp;
        OnClipChange();
    }
};

TEST_F(OwnWrite, ReportInsideTheWriteIsPassedOver) {
    clipboard.onWrite = [this] { OnClipChange(); };
    CopyFromOutside("b");
    CopyFromOutside("a");
    CopyFromOutside("b");
    EXPECT_EQ(history.Entry(0), "b");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_EQ(skipped, 1);
    EXPECT_EQ(runs, 4);
}

TEST_F(OwnWrite, ReportAfterTheWriteIsPassedOver) {
    CopyFromOutside("b");
    CopyFromOutside("a");
    CopyFromOutside("b");
    OnClipChange();  // the write's report, delivered later
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_EQ(skipped, 1);
    EXPECT_EQ(history.Entry(0), "b");
}

TEST_F(OwnWrite, LaterOutsideChangeIsHandled) {
    CopyFromOutside("b");
    CopyFromOutside("a");
    CopyFromOutside("b");
    EXPECT_TRUE(history.IsOwnWrite());
    CopyFromOutside("a");
    EXPECT_EQ(history.Entry(0), "a");
    EXPECT_EQ(clipboard.writes, 2);
}

TEST_F(OwnWrite, CopySelectedIsNotAnOwnWrite) {
    CopyFromOutside("b");
    CopyFromOutside("a");
    rows.Select(1);
    clipboard.onWrite = [this] { OnClipChange(); };
    ASSERT_TRUE(history.CopySelected());
    EXPECT_EQ(history.Entry(0), "b");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(clipboard.writes, 1);
}

}  // namespace
}  // namespace lumeret
