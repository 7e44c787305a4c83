// A control's messages reach the objects listening to it first, newest
// first; what none of them answers reaches the control, with its bytes as
// they were sent.
#include "platform/control_router_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/list_box_host_win32.h"

namespace lumeret {
namespace {

constexpr UINT kAsk = WM_APP + 1;

struct Listener : ControlListener {
    std::string name;
    std::vector<std::string>* asked;
    std::function<std::optional<LRESULT>(UINT)> answer = [](UINT) { return std::nullopt; };

    Listener(std::string n, std::vector<std::string>& log) : name(std::move(n)), asked(&log) {}
    std::optional<LRESULT> OnListenedMessage(HWND, UINT msg, WPARAM, LPARAM) override {
        if (msg == kAsk || msg == kAsk + 1) asked->push_back(name);
        return answer(msg);
    }
};

struct ListenedList : ::testing::Test {
    test::ListBoxHost host;
    std::vector<std::string> asked;
    Listener older{"older", asked};
    Listener newer{"newer", asked};

    HWND List() const { return host.List(); }
};

TEST_F(ListenedList, ListenersAreAskedNewestFirstAndTheFirstAnswerWins) {
    older.answer = [](UINT msg) -> std::optional<LRESULT> {
        if (msg == kAsk) return 1;
        if (msg == kAsk + 1) return 3;
        return std::nullopt;
    };
    newer.answer = [](UINT msg) -> std::optional<LRESULT> {
        if (msg == kAsk) return 2;
        return std::nullopt;
    };
    ListenToControl(List(), older);
    ListenToControl(List(), newer);
    ListenToControl(List(), older);  // once is enough
    EXPECT_EQ(SendMessageW(List(), kAsk, 0, 0), 2);
    EXPECT_EQ(SendMessageW(List(), kAsk + 1, 0, 0), 3);
    EXPECT_EQ(asked, (std::vector<std::string>{"newer", "newer", "older"}));
    // Neither answers: the control does.
    SendMessageW(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
    EXPECT_EQ(SendMessageW(List(), LB_GETCOUNT, 0, 0), 1);
}

TEST_F(ListenedList, TheControlsOwnHandlingIsThereForAListener) {
    newer.answer = [](UINT msg) -> std::optional<LRESULT> {
        if (msg == LB_GETCOUNT) return 99;
        return std::nullopt;
    };
    ListenToControl(List(), newer);
    SendMessageW(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
    EXPECT_EQ(SendMessageW(List(), LB_GETCOUNT, 0, 0), 99);
    EXPECT_EQ(CallControl(List(), LB_GETCOUNT, 0, 0), 1);
}

TEST_F(ListenedList, AnsiTextSentToAListenedControlKeepsItsBytes) {
    ListenToControl(List(), newer);
    const std::string caption = "日本語のテキスト ｶﾅ 表示";
    SendMessageA(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    std::string back(static_cast<std::size_t>(SendMessageA(List(), LB_GETTEXTLEN, 0, 0)), '\0');
    SendMessageA(List(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(back.data()));
    EXPECT_EQ(back, caption);
}

TEST_F(ListenedList, AListenerThatStopsIsNotAskedAgainNotEvenForTheMessageAtHand) {
    ListenToControl(List(), older);
    ListenToControl(List(), newer);
    newer.answer = [this](UINT) -> std::optional<LRESULT> {
        StopListening(List(), older);
        return std::nullopt;
    };
    SendMessageW(List(), kAsk, 0, 0);
    StopListening(List(), newer);
    SendMessageW(List(), kAsk, 0, 0);
    EXPECT_EQ(asked, (std::vector<std::string>{"newer"}));
}

TEST_F(ListenedList, ListeningToADestroyedControlOrStoppingDoesNothing) {
    HWND list = List();
    ListenToControl(list, newer);
    DestroyWindow(list);
    EXPECT_EQ(CallControl(list, LB_GETCOUNT, 0, 0), 0);
    StopListening(list, newer);
    ListenToControl(list, older);  // no window: nothing to listen to
    EXPECT_TRUE(asked.empty());
}

TEST_F(ListenedList, AnotherThreadsControlIsLeftAlone) {
    HWND list = nullptr;
    HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        test::ListBoxHost theirs;
        list = theirs.List();
        SetEvent(made);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
    WaitForSingleObject(made, 10000);
    ListenToControl(list, newer);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(asked.empty());
    PostThreadMessageW(GetWindowThreadProcessId(list, nullptr), WM_QUIT, 0, 0);
    owner.join();
    CloseHandle(made);
}

}  // namespace
}  // namespace lumeret
