// The core against the real clipboard and viewer chain: a text that comes
// back to the clipboard moves to the top once, and the clipboard keeps it as
// the other program copied it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "clipwatch/clipboard_watcher_win32.h"
#include "core/app_core.h"
#include "platform/clipboard_win32.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"
#include "support/win_pump_win32.h"

namespace lumeret {
namespace {

using test::PumpFor;
using test::PumpUntil;
using test::PutTextOnClipboard;
using Rows = std::vector<std::string>;

// The real clipboard, counting the core's writes.
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

struct CoreOnTheClipboard : ::testing::Test {
    CountingClipboard clipboard;
    test::FakeClipFolder folder;
    test::FakePrompts prompts;
    test::MemoryProfile settingsFile;
    std::optional<AppCore> core;
    ClipboardWatcher watcher;
    int reports = 0;
    int depth = 0;
    int maxDepth = 0;

    void SetUp() override {
        folder.directories = {"C:\\app"};
        core.emplace(AppCore::Services{clipboard, folder, prompts, settingsFile}, "C:\\app\\");
        watcher.SetOnClipChange([this](ClipboardWatcher&) {
            if (++reports > kRunaway) return;
            ++depth;
            maxDepth = std::max(maxDepth, depth);
            core->OnClipboardReported();
            --depth;
        });
    }

    // Another program copies a text; waits until the core has heard of it.
    void CopyFromOutside(const std::string& text) {
        int before = reports;
        ASSERT_TRUE(PutTextOnClipboard(text));
        ASSERT_TRUE(PumpUntil([&] { return reports > before; }));
        PumpFor();
    }
    const Rows& History() { return core->HistoryRows().Rows(); }
};

TEST_F(CoreOnTheClipboard, NewTextEntersTrimmedWithoutWritingTheClipboard) {
    CopyFromOutside("  alpha\r\n");
    EXPECT_EQ(History(), Rows{"alpha"});
    EXPECT_EQ(core->History().Entry(0), "alpha");
    EXPECT_EQ(core->HistoryRows().Selected(), 0);
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(reports, 1);
}

TEST_F(CoreOnTheClipboard, KnownTextMovesToTopExactlyOnce) {
    CopyFromOutside("alpha");
    CopyFromOutside("beta");
    CopyFromOutside("gamma");
    int reportsBefore = reports;

    CopyFromOutside("alpha");
    EXPECT_EQ(History(), (Rows{"alpha", "gamma", "beta"}));
    EXPECT_EQ(core->HistoryRows().Selected(), 0);
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(reports, reportsBefore + 1);
    EXPECT_EQ(clipboard.Text(), "alpha");
}

TEST_F(CoreOnTheClipboard, TopTextCopiedAgainStaysWithoutAWrite) {
    CopyFromOutside("beta");
    CopyFromOutside("alpha");
    CopyFromOutside("alpha");
    EXPECT_EQ(History(), (Rows{"alpha", "beta"}));
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(reports, 3);
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(CoreOnTheClipboard, AKnownTextCopiedAgainStaysOnTheClipboardAsCopied) {
    CopyFromOutside("beta");
    CopyFromOutside("alpha");
    CopyFromOutside("  beta\r\n");  // known once trimmed: moved to the top
    EXPECT_EQ(History(), (Rows{"beta", "alpha"}));
    EXPECT_EQ(clipboard.Text(), "  beta\r\n");
    CopyFromOutside("alpha");  // a new change from outside: handled again
    EXPECT_EQ(History(), (Rows{"alpha", "beta"}));
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(CoreOnTheClipboard, CopiedEntryComesBackToTopThroughTheChange) {
    CopyFromOutside("e2");
    CopyFromOutside("e1");
    CopyFromOutside("e0");
    core->HistoryRows().Select(2);
    int before = reports;

    core->CopyHistoryEntry();
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_TRUE(PumpUntil([&] { return reports > before && core->History().Count() == 3; }));
    PumpFor();
    EXPECT_EQ(History(), (Rows{"e2", "e0", "e1"}));
    EXPECT_EQ(core->HistoryRows().Selected(), 0);
    EXPECT_EQ(clipboard.writes, 1);  // coming back needed no further write
}

}  // namespace
}  // namespace lumeret
