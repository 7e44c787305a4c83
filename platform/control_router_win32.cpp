#include "platform/control_router_win32.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace lumeret {

namespace {

struct Route {
    WNDPROC control = nullptr;                 // the procedure the control came with
    std::vector<ControlListener*> newestLast;  // its listeners
};

// Windows belong to the thread that made them, and so do their routes. The
// table is never destroyed: a window may still get a message while its
// thread or the program ends.
std::unordered_map<HWND, Route>& Routes() {
    thread_local auto* routes = new std::unordered_map<HWND, Route>();
    return *routes;
}

// The control's route, nullptr when it has none. It stays where it is while
// other routes come and go.
Route* RouteOf(HWND control) {
    auto& routes = Routes();
    auto found = routes.find(control);
    return found == routes.end() ? nullptr : &found->second;
}

bool Listens(HWND control, const ControlListener* listener) {
    const Route* route = RouteOf(control);
    return route && std::find(route->newestLast.begin(), route->newestLast.end(), listener) != route->newestLast.end();
}

LRESULT CALLBACK RoutedProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    const Route* route = RouteOf(control);
    if (!route) return DefWindowProcW(control, msg, wParam, lParam);
    const WNDPROC own = route->control;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        Routes().erase(control);
        return CallWindowProcW(own, control, msg, wParam, lParam);
    }
    // A listener may come or go while a message is handled: each is asked
    // only while it still listens.
    const std::vector<ControlListener*> listeners = route->newestLast;
    for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) {
        if (!Listens(control, *it)) continue;
        if (auto answer = (*it)->OnListenedMessage(control, msg, wParam, lParam)) return *answer;
    }
    return CallWindowProcW(own, control, msg, wParam, lParam);
}

}  // namespace

void ListenToControl(HWND control, ControlListener& listener) {
    Route* route = RouteOf(control);
    if (!route) {
        // Another thread's control would find no route of its own thread.
        if (GetWindowThreadProcessId(control, nullptr) != GetCurrentThreadId()) return;
        auto own = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RoutedProc)));
        if (!own) return;
        route = &Routes().emplace(control, Route{own, {}}).first->second;
    }
    if (!Listens(control, &listener)) route->newestLast.push_back(&listener);
}

void StopListening(HWND control, ControlListener& listener) {
    if (Route* route = RouteOf(control)) std::erase(route->newestLast, &listener);
}

LRESULT CallControl(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    const Route* route = RouteOf(control);
    if (!route) return SendMessageW(control, msg, wParam, lParam);
    return CallWindowProcW(route->control, control, msg, wParam, lParam);
}

}  // namespace lumeret
