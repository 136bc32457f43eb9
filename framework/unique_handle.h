// Owners for Win32 handles in the shape of WIL's unique_any: the invalid value is a trait, because
// CreateFileA fails with INVALID_HANDLE_VALUE while CreateThread/CreateEvent fail with NULL.
#pragma once

#include <windows.h>

#include <utility>

namespace mirl {

// Traits: `type`, `invalid()` (the value the creating call returns on failure) and `close(h)`.
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

    // For out-parameters: closes what is owned and returns the slot to write the new handle to.
    pointer* put() noexcept {
        reset();
        return &value_;
    }

    void swap(unique_any& other) noexcept { std::swap(value_, other.value_); }

  private:
    pointer value_ = Traits::invalid();
};

// Handles from CreateFileA (files, devices, serial ports): failure is INVALID_HANDLE_VALUE.
struct file_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};

// Thread, event, mutex and most other kernel handles: failure is NULL.
struct null_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};

using unique_hfile = unique_any<file_handle_traits>;
using unique_handle = unique_any<null_handle_traits>;

}  // namespace mirl
