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

// Windows belong to the thread that made them, and so do their routes.
thread_local std::unordered_map<HWND, Route> routes;

bool Listens(HWND control, const ControlListener* listener) {
    auto route = routes.find(control);
    if (route == routes.end()) return false;
    const auto& listeners = route->second.newestLast;
    return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

LRESULT CALLBACK RoutedProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto route = routes.find(control);
    if (route == routes.end()) return DefWindowProcW(control, msg, wParam, lParam);
    const WNDPROC own = route->second.control;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        routes.erase(route);
        return CallWindowProcW(own, control, msg, wParam, lParam);
    }
    // A listener may come or go while a message is handled: each is asked
    // only while it still listens.
    const std::vector<ControlListener*> listeners = route->second.newestLast;
    for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) {
        if (!Listens(control, *it)) continue;
        if (auto answer = (*it)->OnListenedMessage(control, msg, wParam, lParam)) return *answer;
    }
    return CallWindowProcW(own, control, msg, wParam, lParam);
}

}  // namespace

void ListenToControl(HWND control, ControlListener& listener) {
    auto route = routes.find(control);
    if (route == routes.end()) {
        // Another thread's control would find no route of its own thread.
        if (GetWindowThreadProcessId(control, nullptr) != GetCurrentThreadId()) return;
        auto own = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RoutedProc)));
        if (!own) return;
        route = routes.emplace(control, Route{own, {}}).first;
    }
    if (!Listens(control, &listener)) route->second.newestLast.push_back(&listener);
}

void StopListening(HWND control, ControlListener& listener) {
    auto route = routes.find(control);
    if (route == routes.end()) return;
    std::erase(route->second.newestLast, &listener);
}

LRESULT CallControl(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto route = routes.find(control);
    if (route == routes.end()) return SendMessageW(control, msg, wParam, lParam);
    return CallWindowProcW(route->second.control, control, msg, wParam, lParam);
}

}  // namespace lumeret
