#include "platform/clipboard_wait_win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "support/win_pump_win32.h"

namespace lumeret {
namespace {

using test::PumpPending;
using test::PumpUntil;

constexpr UINT kRetry = WM_APP + 7;
constexpr UINT_PTR kTimer = 7;

// Another thread that opens the clipboard and keeps it until released, as a
// program that is still writing it would.
class ClipboardHolder {
public:
    ClipboardHolder() {
        thread_ = std::thread([this] {
            holding_ = OpenClipboard(nullptr) != FALSE;
            SetEvent(opened_);
            WaitForSingleObject(release_, INFINITE);
            if (holding_) CloseClipboard();
        });
        WaitForSingleObject(opened_, INFINITE);
    }
    ~ClipboardHolder() { Release(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool Holding() const { return holding_; }
    void Release() {
        if (!thread_.joinable()) return;
        SetEvent(release_);
        thread_.join();
    }

private:
    HANDLE opened_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool holding_ = false;
    std::thread thread_;
};

// An owner window that passes its retry message and timer to the wait, as
// the main window does.
class ClipboardWaiting : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ClipboardWaitTestOwner";
        RegisterClassW(&wc);
        owner_ = CreateWindowW(L"ClipboardWaitTestOwner", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               wc.hInstance, nullptr);
        ASSERT_NE(owner_, nullptr);
        wait_ = std::make_unique<ClipboardWait>(owner_, kRetry, kTimer, [this] {
            ++runs_;
            clipboardFreeAtRun_ = OpenClipboard(owner_) != FALSE;
            if (clipboardFreeAtRun_) CloseClipboard();
        });
        SetWindowLongPtrW(owner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wait_.get()));
    }
    void TearDown() override {
        wait_.reset();
        DestroyWindow(owner_);
        PumpPending();
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* wait = reinterpret_cast<ClipboardWait*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (wait && (msg == kRetry || (msg == WM_TIMER && wParam == kTimer))) {
            wait->OnRetry();
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND owner_ = nullptr;
    std::unique_ptr<ClipboardWait> wait_;
    int runs_ = 0;
    bool clipboardFreeAtRun_ = false;
};

TEST_F(ClipboardWaiting, AFreeClipboardIsHandledAtOnce) {
    wait_->Notice();
    EXPECT_EQ(runs_, 1);
    EXPECT_TRUE(clipboardFreeAtRun_);
    EXPECT_FALSE(wait_->Waiting());
    PumpPending();
    EXPECT_EQ(runs_, 1);  // no retry is left behind
}

TEST_F(ClipboardWaiting, AHeldClipboardIsHandledOnceWhenFreeForAllNoticesMeanwhile) {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    wait_->Notice();  // returns at once: the holder keeps the clipboard
    EXPECT_EQ(runs_, 0);
    EXPECT_TRUE(wait_->Waiting());
    PumpPending();
    wait_->Notice();
    wait_->Notice();
    holder.Release();
    ASSERT_TRUE(PumpUntil([&] { return runs_ > 0; }));
    EXPECT_TRUE(clipboardFreeAtRun_);
    PumpUntil([] { return false; }, 10);  // any retry still queued finds no wait
    EXPECT_EQ(runs_, 1);
    EXPECT_FALSE(wait_->Waiting());

    wait_->Notice();  // the next change starts a wait of its own
    EXPECT_EQ(runs_, 2);
}

TEST_F(ClipboardWaiting, AClipboardHeldForGoodIsHandledAnywayAfterTheBound) {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    wait_->Notice();
    ASSERT_TRUE(PumpUntil([&] { return runs_ > 0; }));
    EXPECT_EQ(runs_, 1);
    EXPECT_FALSE(clipboardFreeAtRun_);  // the handling meets the held clipboard and reports it
    EXPECT_FALSE(wait_->Waiting());
}

}  // namespace
}  // namespace lumeret
