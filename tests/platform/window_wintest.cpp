#include "platform/window_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/prompts.h"
#include "support/fakes.h"

namespace lumeret {
namespace {

class ThrowingWindow : public Window {
public:
    ThrowingWindow() {
        CreateParams p;
        p.className = L"LumeretThrowingWindowTest";
        p.caption = "test";
        p.clientWidth = 50;
        p.clientHeight = 50;
        CreateWindowObject(p);
    }
    int handled = 0;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP) throw Exception("ハンドラが失敗しました");
        if (msg == WM_APP + 1) {
            ++handled;
            return 42;
        }
        if (msg == WM_APP + 2) throw std::runtime_error("plain failure");
        return Default(msg, wParam, lParam);
    }
};

TEST(ErrorBoundary, HandlerExceptionIsReportedAndTheWindowGoesOn) {
    test::FakePrompts prompts;
    IPrompts* previous = SetAppPrompts(&prompts);
    const std::vector<std::string>& reported = prompts.errors;
    {
        ThrowingWindow window;
        EXPECT_EQ(SendMessageW(window.Handle(), WM_APP, 0, 0), 0);
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0], "ハンドラが失敗しました");

        // The next message is handled as usual.
        EXPECT_EQ(SendMessageW(window.Handle(), WM_APP + 1, 0, 0), 42);
        EXPECT_EQ(window.handled, 1);

        // Posted messages go through the same boundary in the message loop.
        PostMessageW(window.Handle(), WM_APP + 2, 0, 0);
        PostMessageW(window.Handle(), WM_APP + 1, 0, 0);
        MSG msg;
        while (PeekMessageW(&msg, window.Handle(), 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        ASSERT_EQ(reported.size(), 2u);
        EXPECT_EQ(reported[1], "plain failure");
        EXPECT_EQ(window.handled, 2);
    }
    SetAppPrompts(previous);
}

// A window whose one child's messages are routed to it.
class RoutingWindow : public ThrowingWindow {
public:
    RoutingWindow() {
        child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        RouteControlMessages(child);
    }
    HWND child = nullptr;
    int routed = 0;

protected:
    std::optional<LRESULT> OnControlMessage(HWND control, UINT msg, WPARAM, LPARAM) override {
        if (control != child) return std::nullopt;
        if (msg == WM_APP) throw Exception("子の失敗");
        if (msg == WM_APP + 1) {
            ++routed;
            return 7;
        }
        return std::nullopt;
    }
};

TEST(ErrorBoundary, RoutedControlMessagesGoThroughTheSameBoundary) {
    test::FakePrompts prompts;
    IPrompts* previous = SetAppPrompts(&prompts);
    {
        RoutingWindow window;
        EXPECT_EQ(SendMessageW(window.child, WM_APP + 1, 0, 0), 7);
        EXPECT_EQ(window.routed, 1);
        EXPECT_EQ(SendMessageW(window.child, WM_APP, 0, 0), 0);
        EXPECT_EQ(prompts.errors, std::vector<std::string>{"子の失敗"});
        // Messages the window leaves alone reach the control itself.
        SendMessageW(window.child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"own"));
        wchar_t text[8] = {};
        GetWindowTextW(window.child, text, 8);
        EXPECT_STREQ(text, L"own");
    }
    SetAppPrompts(previous);
}

}  // namespace
}  // namespace lumeret
