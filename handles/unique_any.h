// An owner for one platform handle in the shape of WIL's unique_any: non-copyable, movable,
// get/reset/release. The handle type, the value that means "none" and how to close one are a
// trait, because the failure values differ: CreateFileA returns INVALID_HANDLE_VALUE, most other
// Win32 calls NULL, and POSIX calls -1.
#pragma once

#include <utility>

namespace mirl {

// Traits: `type`, `invalid()` and `close(h)`.
template <typename Traits>
class unique_any {
  public:
    using pointer = typename Traits::type;

    unique_any() noexcept = default;
    explicit unique_any(pointer value) noexcept : value_(value) {}
    ~unique_any() { reset(); }

    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;

    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    pointer get() const noexcept { return value_; }
    bool is_valid() const noexcept { return value_ != Traits::invalid(); }
    explicit operator bool() const noexcept { return is_valid(); }

    // Closes the owned handle (if any) and takes `value` instead.
    void reset(pointer value = Traits::invalid()) noexcept {
        pointer old = std::exchange(value_, value);
        if (old != Traits::invalid()) Traits::close(old);
    }

    // Gives up ownership without closing.
    [[nodiscard]] pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }

  private:
    pointer value_ = Traits::invalid();
};

}  // namespace mirl
