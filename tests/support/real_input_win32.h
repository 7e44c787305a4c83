// Input as a person gives it: the mouse moved onto a control and its buttons
// pressed there, keys pressed on the keyboard, all through SendInput, so the
// system delivers them to whatever window is there or has the focus; the
// messages they cause are then handled.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace lumeret::test {

// A point of a control in screen coordinates: its middle, or the given
// point of its client area.
POINT ScreenPointOf(HWND control);
POINT ScreenPointOf(HWND control, POINT inClient);

// Presses and releases the left button at a screen point; the second of two
// quick clicks at one place is a double-click.
void ClickAtPoint(POINT screen);
void ClickOn(HWND control);
void ClickOn(HWND control, POINT inClient);
void DoubleClickOn(HWND control, POINT inClient);
void RightClickOn(HWND control, POINT inClient);
// Presses the left button at from, moves through to and releases it there.
void DragOnScreen(POINT from, POINT to);
// The left button pressed or released at a point, the mouse moved to one.
void LeftButtonAt(POINT screen, bool down);
void MoveMouseTo(POINT screen);
// Presses the left button at a point of a control, right-clicks there while
// it is held, lets it go while the menu that opens has the pointer, and
// closes the menu with Escape: the control never sees the release.
void LeftPressEndedInAMenu(HWND control, POINT inClient);
// Turns the wheel at a point by notches (positive: away from the user).
void TurnWheelAt(POINT screen, int notches);
// Right-clicks at a point of a control and types keys at once, so that they
// wait for the menu the click opens (its items' underlined letters).
void RightClickThenKeys(HWND control, POINT inClient, std::initializer_list<WORD> keys);

// Presses a key with the modifiers held (VK_SHIFT, VK_CONTROL, VK_MENU).
void PressKey(WORD key, std::initializer_list<WORD> held = {});

}  // namespace lumeret::test
