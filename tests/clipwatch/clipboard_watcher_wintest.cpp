#include "clipwatch/clipboard_watcher_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/errors.h"
#include "platform/prompts.h"
#include "support/fakes.h"
#include "support/win_pump_win32.h"

namespace lumeret {
namespace {

using test::ChainViewer;
using test::PumpFor;
using test::PumpUntil;
using test::PutTextOnClipboard;

// Every test starts and must end with an empty viewer chain, so that one
// test's windows never receive another's notices.
struct ClipboardWatcherTest : ::testing::Test {
    void SetUp() override {
        PumpFor(2);
        ASSERT_EQ(GetClipboardViewer(), nullptr);
    }
    void TearDown() override {
        PumpFor(2);
        EXPECT_EQ(GetClipboardViewer(), nullptr);
    }

    // A handler that counts its runs and checks its sender.
    ClipboardChangeHandler Counter(ClipboardWatcher& expected, int& calls) {
        return [&expected, &calls](ClipboardWatcher& sender) {
            EXPECT_EQ(&sender, &expected);
            ++calls;
        };
    }

    void ChangeClipboard(const std::string& text = "change") {
        ASSERT_TRUE(PutTextOnClipboard(text));
    }
};

TEST_F(ClipboardWatcherTest, StartsIdleWithIgnoreFirstOn) {
    ClipboardWatcher detector;
    EXPECT_TRUE(detector.IgnoreFirst());
    EXPECT_EQ(detector.WindowHandle(), nullptr);
    EXPECT_EQ(detector.NextViewer(), nullptr);
    EXPECT_FALSE(detector.Joining());
    EXPECT_FALSE(detector.OnClipChange());
}

TEST_F(ClipboardWatcherTest, IgnoreFirstSwallowsJoinNoticeAndReportsNextChangeOnce) {
    ChainViewer other;
    other.Join();
    ClipboardWatcher detector;
    int calls = 0;
    detector.SetOnClipChange(Counter(detector, calls));
    PumpFor(5);
    EXPECT_EQ(calls, 0);
    ASSERT_NE(detector.WindowHandle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(detector.WindowHandle()));
    EXPECT_EQ(GetClipboardViewer(), detector.WindowHandle());
    EXPECT_EQ(detector.NextViewer(), other.Handle());
    EXPECT_FALSE(detector.Joining());
    // The swallowed notice still went on down the chain.
    EXPECT_EQ(other.notices, 1);

    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return calls >= 1; }));
    PumpFor();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(other.notices, 2);
}

TEST_F(ClipboardWatcherTest, WithoutIgnoreFirstHandlerRunsOnceDuringAssignment) {
    ChainViewer other;
    other.Join();
    ClipboardWatcher detector;
    detector.SetIgnoreFirst(false);
    int calls = 0;
    bool sawJoining = false;
    detector.SetOnClipChange([&](ClipboardWatcher& sender) {
        ++calls;
        sawJoining = sender.Joining();
    });
    EXPECT_EQ(calls, 1);  // synchronously, inside the assignment
    EXPECT_TRUE(sawJoining);
    EXPECT_FALSE(detector.Joining());
    PumpFor();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(other.notices, 1);

    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return calls >= 2; }));
    PumpFor();
    EXPECT_EQ(calls, 2);
}

TEST_F(ClipboardWatcherTest, SecondHandlerWhileWatchingReplacesFirstWithoutNewJoin) {
    ChainViewer other;
    other.Join();
    ClipboardWatcher detector;
    int first = 0;
    int second = 0;
    detector.SetOnClipChange(Counter(detector, first));
    HWND window = detector.WindowHandle();
    detector.SetOnClipChange(Counter(detector, second));
    EXPECT_EQ(detector.WindowHandle(), window);
    EXPECT_EQ(detector.NextViewer(), other.Handle());
    EXPECT_EQ(GetClipboardViewer(), window);
    EXPECT_EQ(other.notices, 1);  // no second join notice

    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return second >= 1; }));
    PumpFor();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST_F(ClipboardWatcherTest, ClearingLeavesChainAndAssigningAgainRejoins) {
    ChainViewer other;
    other.Join();
    ClipboardWatcher detector;
    int calls = 0;
    detector.SetOnClipChange(Counter(detector, calls));
    HWND firstWindow = detector.WindowHandle();

    detector.SetOnClipChange(nullptr);
    EXPECT_EQ(detector.WindowHandle(), nullptr);
    EXPECT_FALSE(IsWindow(firstWindow));
    EXPECT_FALSE(detector.OnClipChange());
    EXPECT_EQ(GetClipboardViewer(), other.Handle());
    // The old successor stays until the next join replaces it.
    EXPECT_EQ(detector.NextViewer(), other.Handle());

    int noticesBefore = other.notices;
    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return other.notices > noticesBefore; }));
    PumpFor();
    EXPECT_EQ(calls, 0);

    // Clearing again while idle changes nothing.
    detector.SetOnClipChange(nullptr);
    EXPECT_EQ(detector.WindowHandle(), nullptr);

    detector.SetOnClipChange(Counter(detector, calls));
    ASSERT_NE(detector.WindowHandle(), nullptr);
    EXPECT_NE(detector.WindowHandle(), firstWindow);
    EXPECT_EQ(GetClipboardViewer(), detector.WindowHandle());
    EXPECT_EQ(detector.NextViewer(), other.Handle());
    EXPECT_EQ(calls, 0);

    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return calls >= 1; }));
    PumpFor();
    EXPECT_EQ(calls, 1);
}

TEST_F(ClipboardWatcherTest, NextViewerLeavingIsReplacedByItsSuccessor) {
    ChainViewer last;
    last.Join();
    ChainViewer middle;
    middle.Join();
    ASSERT_EQ(middle.next, last.Handle());
    ClipboardWatcher detector;
    int calls = 0;
    detector.SetOnClipChange(Counter(detector, calls));
    ASSERT_EQ(detector.NextViewer(), middle.Handle());

    middle.Leave();
    PumpFor(2);
    EXPECT_EQ(detector.NextViewer(), last.Handle());

    int middleBefore = middle.notices;
    int lastBefore = last.notices;
    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return last.notices > lastBefore; }));
    PumpFor();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(last.notices, lastBefore + 1);
    EXPECT_EQ(middle.notices, middleBefore);
}

TEST_F(ClipboardWatcherTest, ViewerFurtherDownLeavingIsPassedOnToNextViewer) {
    ChainViewer last;
    last.Join();
    ChainViewer middle;
    middle.Join();
    ClipboardWatcher detector;
    int calls = 0;
    detector.SetOnClipChange(Counter(detector, calls));

    last.Leave();
    PumpFor(2);
    EXPECT_EQ(detector.NextViewer(), middle.Handle());
    EXPECT_EQ(middle.chainChanges, 1);
    EXPECT_EQ(middle.lastRemoved, reinterpret_cast<WPARAM>(last.Handle()));
    EXPECT_EQ(middle.next, nullptr);

    // The next viewer's answer comes back as the detector's answer.
    middle.unknownLeaveResult = 0x5A5A;
    ChainViewer stranger;
    LRESULT result = SendMessageA(detector.WindowHandle(), WM_CHANGECBCHAIN,
                                  reinterpret_cast<WPARAM>(stranger.Handle()), 0);
    EXPECT_EQ(result, 0x5A5A);
    EXPECT_EQ(middle.chainChanges, 2);
    EXPECT_EQ(detector.NextViewer(), middle.Handle());

    int lastBefore = last.notices;
    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return calls >= 1 && middle.notices >= 2; }));
    PumpFor();
    EXPECT_EQ(last.notices, lastBefore);
}

TEST_F(ClipboardWatcherTest, ChainChangeWithoutNextViewerAnswersZero) {
    ClipboardWatcher detector;
    int calls = 0;
    detector.SetOnClipChange(Counter(detector, calls));
    ASSERT_EQ(detector.NextViewer(), nullptr);
    ChainViewer stranger;
    EXPECT_EQ(SendMessageA(detector.WindowHandle(), WM_CHANGECBCHAIN,
                           reinterpret_cast<WPARAM>(stranger.Handle()), 0),
              0);
    EXPECT_EQ(detector.NextViewer(), nullptr);
}

TEST_F(ClipboardWatcherTest, DestructionLeavesChainAndOthersKeepReceiving) {
    ChainViewer other;
    other.Join();
    auto detector = std::make_unique<ClipboardWatcher>();
    int calls = 0;
    detector->SetOnClipChange([&](ClipboardWatcher&) { ++calls; });
    HWND window = detector->WindowHandle();
    ASSERT_EQ(GetClipboardViewer(), window);

    detector.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetClipboardViewer(), other.Handle());

    int before = other.notices;
    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return other.notices > before; }));
    PumpFor();
    EXPECT_EQ(other.notices, before + 1);
    EXPECT_EQ(calls, 0);
}

// Records the program's error reports instead of showing them.
struct ReportsRecorded {
    ReportsRecorded() : previous(SetAppPrompts(&prompts)) {}
    ~ReportsRecorded() { SetAppPrompts(previous); }
    test::FakePrompts prompts;
    IPrompts* previous;
};

TEST_F(ClipboardWatcherTest, ThrowingHandlerIsReportedAndNoticeStillPassedOn) {
    ReportsRecorded recorded;
    const std::vector<std::string>& reported = recorded.prompts.errors;
    ChainViewer other;
    other.Join();
    ClipboardWatcher detector;
    int calls = 0;
    detector.SetOnClipChange([&](ClipboardWatcher&) {
        ++calls;
        throw Exception("ハンドラの失敗");
    });
    int before = other.notices;

    ChangeClipboard("first");
    EXPECT_TRUE(PumpUntil([&] { return other.notices > before; }));
    PumpFor();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(reported, std::vector<std::string>{"ハンドラの失敗"});
    EXPECT_EQ(other.notices, before + 1);

    // The program goes on: the next change is reported again.
    ChangeClipboard("second");
    EXPECT_TRUE(PumpUntil([&] { return calls >= 2; }));
    PumpFor();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(other.notices, before + 2);
}

// A viewer that joined after the watcher hands it each notice and waits for
// the answer: an error the handler reports does not keep that program
// waiting until the user has read the report.
TEST_F(ClipboardWatcherTest, AViewerBeforeTheWatcherIsNotHeldUpWhileAnErrorIsReported) {
    struct ReportReadSlowly : test::FakePrompts {
        void ShowError(const UserText& message) override {
            FakePrompts::ShowError(message);
            viewerWentOnMeanwhile = PumpUntil([this] { return viewerWentOn(); });
        }
        std::function<bool()> viewerWentOn;
        bool viewerWentOnMeanwhile = false;
    } prompts;
    IPrompts* previous = SetAppPrompts(&prompts);
    ClipboardWatcher detector;
    detector.SetOnClipChange([](ClipboardWatcher&) { throw Exception("ハンドラの失敗"); });

    std::atomic<bool> joined{false}, stop{false}, left{false};
    std::atomic<int> answered{0};
    std::thread before([&] {
        ChainViewer viewer;
        viewer.Join();
        joined = true;
        while (!stop) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            answered = viewer.answered.load();
            Sleep(1);
        }
        viewer.Leave();
        left = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return joined.load(); }));
    PumpFor();
    const int answeredBefore = answered;
    prompts.viewerWentOn = [&] { return answered > answeredBefore; };

    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return !prompts.errors.empty(); }));
    EXPECT_TRUE(prompts.viewerWentOnMeanwhile);

    stop = true;
    EXPECT_TRUE(PumpUntil([&] { return left.load(); }));
    before.join();
    detector.SetOnClipChange(nullptr);
    SetAppPrompts(previous);
}

// Refuses the creation of every window on this thread while it lives.
class WindowCreationBlocker {
public:
    WindowCreationBlocker()
        : hook_(SetWindowsHookExA(WH_CBT, &Proc, nullptr, GetCurrentThreadId())) {}
    ~WindowCreationBlocker() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    explicit operator bool() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) return 1;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

TEST_F(ClipboardWatcherTest, WindowThatCannotBeMadeRaisesOutOfResourcesAndStaysIdle) {
    ClipboardWatcher detector;
    int calls = 0;
    {
        WindowCreationBlocker blocker;
        ASSERT_TRUE(blocker);
        try {
            detector.SetOnClipChange(Counter(detector, calls));
            ADD_FAILURE() << "no exception";
        } catch (const OutOfResourcesError& e) {
            EXPECT_EQ(e.Message(), "TVyClipDetector.SetOnClipChange: Cannot Allocate HWnd");
        }
    }
    EXPECT_EQ(detector.WindowHandle(), nullptr);
    EXPECT_FALSE(detector.OnClipChange());
    EXPECT_FALSE(detector.Joining());
    EXPECT_EQ(GetClipboardViewer(), nullptr);

    // Once windows can be made again, assigning joins as usual.
    detector.SetOnClipChange(Counter(detector, calls));
    EXPECT_NE(detector.WindowHandle(), nullptr);
    EXPECT_EQ(GetClipboardViewer(), detector.WindowHandle());
    EXPECT_EQ(calls, 0);
}

// A subclass can react to changes by overriding DoClipChange.
class CountingDetector : public ClipboardWatcher {
public:
    int changes = 0;

protected:
    void DoClipChange() override {
        ++changes;
        ClipboardWatcher::DoClipChange();
    }
};

TEST_F(ClipboardWatcherTest, SubclassSeesChangesThroughDoClipChange) {
    CountingDetector detector;
    int calls = 0;
    detector.SetOnClipChange([&](ClipboardWatcher&) { ++calls; });
    EXPECT_EQ(detector.changes, 0);
    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return detector.changes >= 1; }));
    PumpFor();
    EXPECT_EQ(detector.changes, 1);
    EXPECT_EQ(calls, 1);
}

TEST_F(ClipboardWatcherTest, HandlerClearingItselfFinishesAndLeaves) {
    ChainViewer other;
    other.Join();
    ClipboardWatcher detector;
    int calls = 0;
    detector.SetOnClipChange([&](ClipboardWatcher& sender) {
        ++calls;
        sender.SetOnClipChange(nullptr);
    });
    int before = other.notices;
    ChangeClipboard();
    EXPECT_TRUE(PumpUntil([&] { return other.notices > before; }));
    PumpFor();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(detector.WindowHandle(), nullptr);
    EXPECT_EQ(GetClipboardViewer(), other.Handle());
}

}  // namespace
}  // namespace lumeret
