// One move-only owner for every kind of handle: the close function and the
// invalid value are parameters, each kind gets a one-line alias beside the
// code that uses it. No implicit conversion to the raw handle, so a copy that
// would close twice does not compile.
#pragma once

#include <utility>

namespace lumeret {

// The invalid value of most handle kinds.
template <typename T>
constexpr T ZeroValue() noexcept {
    return T{};
}

// Invalid is a function giving the invalid value, since some kinds use one
// that is no constant expression (INVALID_HANDLE_VALUE).
template <typename T, auto Close, auto Invalid = &ZeroValue<T>>
class UniqueResource {
public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T value) noexcept : value_(value) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    explicit operator bool() const noexcept { return value_ != Invalid(); }
    T get() const noexcept { return value_; }
    T release() noexcept { return std::exchange(value_, Invalid()); }
    void reset(T value = Invalid()) noexcept {
        T old = std::exchange(value_, value);
        if (old != Invalid()) {
            Close(old);
        }
    }

private:
    T value_ = Invalid();
};

}  // namespace lumeret
