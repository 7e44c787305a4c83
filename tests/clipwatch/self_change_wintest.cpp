// The history against the real clipboard and viewer chain: a text that comes
// back to the clipboard moves to the top once, and the history's own write of
// it starts no repetition.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clipwatch/clipboard_watcher_win32.h"
#include "platform/clipboard_win32.h"
#include "platform/list_box_win32.h"
#include "platform/text.h"
#include "store/clipboard_history.h"
#include "support/list_box_host_win32.h"
#include "support/win_pump_win32.h"

namespace lumeret {
namespace {

using test::PumpFor;
using test::PumpUntil;
using test::PutTextOnClipboard;

// The real clipboard, counting the history's writes.
class CountingClipboard : public ClipboardWin32 {
public:
    void SetText(const std::string& text) override {
        ++writes;
        ClipboardWin32::SetText(text);
    }
    int writes = 0;
};

// A bound far above anything a correct run needs: a repetition stops here
// instead of running the test out of stack.
constexpr int kRunaway = 50;

struct SelfChange : ::testing::Test {
    test::ListBoxHost host;
    ListBoxWin32 rows{host.List()};
    CountingClipboard clipboard;
    ClipboardHistory history{rows, clipboard};
    ClipboardWatcher detector;
    int runs = 0;       // handler runs
    int skipped = 0;    // runs that saw the history's own write
    int added = 0;      // runs that fed AddText
    int depth = 0;
    int maxDepth = 0;

    void SetUp() override {
        ASSERT_NE(host.List(), nullptr);
        detector.SetOnClipChange([this](ClipboardWatcher&) { OnClipChange(); });
    }

    // What the main window does on a clipboard change that offers text.
    void OnClipChange() {
        ++runs;
        if (runs > kRunaway) return;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (clipboard.HasFormat(kCfText)) {
            if (history.IsOwnWrite()) {
                ++skipped;
            } else {
                ++added;
                history.AddText(Trim(clipboard.Text().value_or("")));
                rows.Select(0);
            }
        }
        --depth;
    }

    // Another program copies a text; waits until the history has handled it.
    void CopyFromOutside(const std::string& text) {
        int before = added;
        ASSERT_TRUE(PutTextOnClipboard(text));
        ASSERT_TRUE(PumpUntil([&] { return added > before; }));
        PumpFor();
    }

    std::vector<std::string> Entries() const {
        std::vector<std::string> e;
        for (int i = 0; i < history.Count(); ++i) e.push_back(history.Entry(i));
        return e;
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> r;
        for (int i = 0; i < rows.Count(); ++i) r.push_back(rows.Row(i));
        return r;
    }
};

TEST_F(SelfChange, NewTextEntersTrimmedWithoutWritingClipboard) {
    CopyFromOutside("  alpha\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"alpha"});
    EXPECT_EQ(Rows(), std::vector<std::string>{"alpha"});
    EXPECT_EQ(rows.Selected(), 0);
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(runs, 1);
}

TEST_F(SelfChange, KnownTextMovesToTopExactlyOnce) {
    CopyFromOutside("alpha");
    CopyFromOutside("beta");
    CopyFromOutside("gamma");
    int runsBefore = runs;
    int addedBefore = added;

    CopyFromOutside("alpha");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"alpha", "gamma", "beta"}));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"alpha", "gamma", "beta"}));
    EXPECT_EQ(rows.Selected(), 0);
    EXPECT_EQ(clipboard.writes, 1);        // the move wrote the clipboard once
    EXPECT_EQ(added, addedBefore + 1);     // and only the outside change was handled
    EXPECT_EQ(skipped, 1);                 // the own write was reported and passed over
    EXPECT_EQ(runs, runsBefore + 2);
    EXPECT_EQ(clipboard.Text(), "alpha");
}

TEST_F(SelfChange, TopTextCopiedAgainIsWrittenOnceAndStays) {
    CopyFromOutside("beta");
    CopyFromOutside("alpha");
    CopyFromOutside("alpha");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_EQ(skipped, 1);
    EXPECT_LT(runs, 10);
    EXPECT_LE(maxDepth, 2);  // the own write is reported at most one level deep
}

TEST_F(SelfChange, OwnWriteDoesNotHideALaterOutsideCopy) {
    CopyFromOutside("beta");
    CopyFromOutside("alpha");
    CopyFromOutside("beta");  // moved to the top, the clipboard rewritten
    ASSERT_EQ(clipboard.writes, 1);
    CopyFromOutside("alpha");  // a new change from outside: handled again
    EXPECT_EQ(Entries(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(clipboard.writes, 2);
    EXPECT_EQ(skipped, 2);
}

TEST_F(SelfChange, CopySelectedComesBackToTopThroughTheChange) {
    CopyFromOutside("e2");
    CopyFromOutside("e1");
    CopyFromOutside("e0");
    rows.Select(2);
    int addedBefore = added;

    ASSERT_TRUE(history.CopySelected());
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_TRUE(PumpUntil([&] { return added > addedBefore && history.Count() == 3; }));
    PumpFor();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"e2", "e0", "e1"}));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"e2", "e0", "e1"}));
    EXPECT_EQ(rows.Selected(), 0);
    EXPECT_EQ(added, addedBefore + 1);
    EXPECT_EQ(clipboard.writes, 1);  // coming back needed no further write
    EXPECT_EQ(skipped, 0);
}

}  // namespace
}  // namespace lumeret
