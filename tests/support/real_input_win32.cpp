#include "support/real_input_win32.h"

#include <vector>

#include "support/win_pump_win32.h"

namespace lumeret::test {

namespace {

// Rounds enough for what one gesture causes to be handled.
constexpr int kSettleRounds = 3;

INPUT MouseInput(POINT screen, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(kSettleRounds);
}

void Press(POINT screen, DWORD down, DWORD up) {
    Send({MouseInput(screen, MOUSEEVENTF_MOVE), MouseInput(screen, down), MouseInput(screen, up)});
}

}  // namespace

POINT ScreenPointOf(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    return ScreenPointOf(control, {r.right / 2, r.bottom / 2});
}

POINT ScreenPointOf(HWND control, POINT inClient) {
    ClientToScreen(control, &inClient);
    return inClient;
}

void ClickAtPoint(POINT screen) { Press(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void ClickOn(HWND control) { ClickAtPoint(ScreenPointOf(control)); }

void ClickOn(HWND control, POINT inClient) { ClickAtPoint(ScreenPointOf(control, inClient)); }

void DoubleClickOn(HWND control, POINT inClient) {
    POINT at = ScreenPointOf(control, inClient);
    Send({MouseInput(at, MOUSEEVENTF_MOVE), MouseInput(at, MOUSEEVENTF_LEFTDOWN), MouseInput(at, MOUSEEVENTF_LEFTUP),
          MouseInput(at, MOUSEEVENTF_LEFTDOWN), MouseInput(at, MOUSEEVENTF_LEFTUP)});
}

void RightClickOn(HWND control, POINT inClient) {
    Press(ScreenPointOf(control, inClient), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void DragOnScreen(POINT from, POINT to) {
    std::vector<INPUT> inputs{MouseInput(from, MOUSEEVENTF_MOVE), MouseInput(from, MOUSEEVENTF_LEFTDOWN)};
    // Steps along the way, as a hand moves.
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        POINT at{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        inputs.push_back(MouseInput(at, MOUSEEVENTF_MOVE));
    }
    inputs.push_back(MouseInput(to, MOUSEEVENTF_LEFTUP));
    Send(inputs);
}

void LeftButtonAt(POINT screen, bool down) {
    Send({MouseInput(screen, MOUSEEVENTF_MOVE), MouseInput(screen, down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)});
}

void MoveMouseTo(POINT screen) { Send({MouseInput(screen, MOUSEEVENTF_MOVE)}); }

void LeftPressEndedInAMenu(HWND control, POINT inClient) {
    POINT at = ScreenPointOf(control, inClient);
    Send({MouseInput(at, MOUSEEVENTF_MOVE), MouseInput(at, MOUSEEVENTF_LEFTDOWN), MouseInput(at, MOUSEEVENTF_RIGHTDOWN),
          MouseInput(at, MOUSEEVENTF_RIGHTUP), MouseInput(at, MOUSEEVENTF_LEFTUP), KeyInput(VK_ESCAPE, false),
          KeyInput(VK_ESCAPE, true)});
}

void TurnWheelAt(POINT screen, int notches) {
    INPUT wheel = MouseInput(screen, MOUSEEVENTF_WHEEL);
    wheel.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    Send({MouseInput(screen, MOUSEEVENTF_MOVE), wheel});
}

void RightClickThenKeys(HWND control, POINT inClient, std::initializer_list<WORD> keys) {
    POINT at = ScreenPointOf(control, inClient);
    std::vector<INPUT> inputs{MouseInput(at, MOUSEEVENTF_MOVE), MouseInput(at, MOUSEEVENTF_RIGHTDOWN),
                              MouseInput(at, MOUSEEVENTF_RIGHTUP)};
    for (WORD key : keys) {
        inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
    }
    Send(inputs);
}

void PressKey(WORD key, std::initializer_list<WORD> held) {
    std::vector<INPUT> inputs;
    for (WORD h : held) inputs.push_back(KeyInput(h, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto h = held.end(); h != held.begin();) inputs.push_back(KeyInput(*--h, true));
    Send(inputs);
}

}  // namespace lumeret::test
