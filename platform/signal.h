// A notice with any number of listeners: the core tells the windows that
// something they show has changed, without knowing them.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace lumeret {

template <typename... Args>
class Signal {
public:
    void Connect(std::function<void(Args...)> listener) { listeners_.push_back(std::move(listener)); }
    void operator()(Args... args) const {
        for (const auto& listener : listeners_) listener(args...);
    }

private:
    std::vector<std::function<void(Args...)>> listeners_;
};

}  // namespace lumeret
