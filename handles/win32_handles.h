// Owners for the Win32 handles the program, its benchmarks and its test driver create.
#pragma once

#include <windows.h>

#include "unique_any.h"

namespace mirl {

// Handles from CreateFileA (files, devices, serial ports) and Toolhelp snapshots: failure is
// INVALID_HANDLE_VALUE.
struct file_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};

// Thread, process, event and most other kernel handles: failure is NULL.
struct null_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};

// A GDI object of type T (a bitmap, a brush) that its creator deletes.
template <typename T>
struct gdi_object_traits {
    using type = T;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DeleteObject(h); }
};

// A memory DC from CreateCompatibleDC.
struct memory_dc_traits {
    using type = HDC;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DeleteDC(h); }
};

// A window this code created and must destroy.
struct window_traits {
    using type = HWND;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DestroyWindow(h); }
};

using unique_hfile = unique_any<file_handle_traits>;
using unique_handle = unique_any<null_handle_traits>;
using unique_hbitmap = unique_any<gdi_object_traits<HBITMAP>>;
using unique_hbrush = unique_any<gdi_object_traits<HBRUSH>>;
using unique_hdc = unique_any<memory_dc_traits>;
using unique_hwnd = unique_any<window_traits>;

// A DC from GetDC, which must go back with ReleaseDC on the same window.
class unique_window_dc {
  public:
    explicit unique_window_dc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~unique_window_dc() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }
    unique_window_dc(const unique_window_dc&) = delete;
    unique_window_dc& operator=(const unique_window_dc&) = delete;
    HDC get() const noexcept { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC for one scope; the one it replaced goes back after.
class select_object_scope {
  public:
    select_object_scope(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~select_object_scope() {
        if (previous_ != nullptr) ::SelectObject(dc_, previous_);
    }
    select_object_scope(const select_object_scope&) = delete;
    select_object_scope& operator=(const select_object_scope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace mirl
