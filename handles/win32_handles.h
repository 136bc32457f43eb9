// Owners for the Win32 handles the program, its benchmarks and its test driver create.
#pragma once

#include <windows.h>

#include "unique_any.h"

namespace mirl {

// An owned T that `Close` releases. Most Win32 calls fail with NULL, but CreateFileA and the
// Toolhelp snapshot fail with INVALID_HANDLE_VALUE; an owner that takes the wrong one for "none"
// closes a failure or never runs its error path.
template <typename T, auto Close, bool FailsWithInvalidHandleValue = false>
struct win32_traits {
    using type = T;
    static type invalid() noexcept {
        if constexpr (FailsWithInvalidHandleValue) {
            return INVALID_HANDLE_VALUE;
        } else {
            return nullptr;
        }
    }
    static void close(type h) noexcept { Close(h); }
};

using unique_hfile = unique_any<win32_traits<HANDLE, &::CloseHandle, true>>;
using unique_handle = unique_any<win32_traits<HANDLE, &::CloseHandle>>;
using unique_hbitmap = unique_any<win32_traits<HBITMAP, &::DeleteObject>>;
using unique_hbrush = unique_any<win32_traits<HBRUSH, &::DeleteObject>>;
// A memory DC from CreateCompatibleDC.
using unique_hdc = unique_any<win32_traits<HDC, &::DeleteDC>>;
// A window this code created and must destroy.
using unique_hwnd = unique_any<win32_traits<HWND, &::DestroyWindow>>;
// A menu from CreatePopupMenu, which nothing else destroys.
using unique_hmenu = unique_any<win32_traits<HMENU, &::DestroyMenu>>;
// A registry key from RegOpenKeyEx, which leaves NULL on failure.
using unique_hkey = unique_any<win32_traits<HKEY, &::RegCloseKey>>;
// A font this code created (a bold or scaled variant of a window's font).
using unique_hfont = unique_any<win32_traits<HFONT, &::DeleteObject>>;
// Memory from GlobalAlloc; a successful SetClipboardData takes it over (release()).
using unique_hglobal = unique_any<win32_traits<HGLOBAL, &::GlobalFree>>;

// A COM interface pointer this code holds one reference to.
template <typename Interface>
void ReleaseReference(Interface* object) noexcept {
    object->Release();
}
template <typename Interface>
using unique_com = unique_any<win32_traits<Interface*, &ReleaseReference<Interface>>>;

// COM for the calling thread, in a single-threaded apartment, for one scope; a thread already in
// another apartment keeps it, and CoUninitialize follows only a successful CoInitializeEx.
class com_apartment_scope {
  public:
    com_apartment_scope() noexcept
        : joined_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~com_apartment_scope() {
        if (joined_) ::CoUninitialize();
    }
    com_apartment_scope(const com_apartment_scope&) = delete;
    com_apartment_scope& operator=(const com_apartment_scope&) = delete;

  private:
    bool joined_;
};

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

// The DC of one WM_PAINT from BeginPaint; EndPaint must follow every BeginPaint, or the window's
// update region stays invalid and it is sent WM_PAINT again and again.
class unique_paint_dc {
  public:
    explicit unique_paint_dc(HWND window) noexcept
        : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~unique_paint_dc() {
        if (dc_ != nullptr) ::EndPaint(window_, &paint_);
    }
    unique_paint_dc(const unique_paint_dc&) = delete;
    unique_paint_dc& operator=(const unique_paint_dc&) = delete;
    HDC get() const noexcept { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
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

// Global memory locked for one scope: GlobalLock on construction, GlobalUnlock after.
class global_lock_scope {
  public:
    explicit global_lock_scope(HGLOBAL memory) noexcept
        : memory_(memory), data_(::GlobalLock(memory)) {}
    ~global_lock_scope() {
        if (data_ != nullptr) ::GlobalUnlock(memory_);
    }
    global_lock_scope(const global_lock_scope&) = delete;
    global_lock_scope& operator=(const global_lock_scope&) = delete;
    // nullptr when the lock failed.
    void* get() const noexcept { return data_; }

  private:
    HGLOBAL memory_;
    void* data_;
};

// The clipboard opened for one scope, on behalf of `owner` (which then owns what is put on it);
// closed after. Opening fails while another window holds the clipboard open.
class clipboard_open_scope {
  public:
    explicit clipboard_open_scope(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    ~clipboard_open_scope() {
        if (open_) ::CloseClipboard();
    }
    clipboard_open_scope(const clipboard_open_scope&) = delete;
    clipboard_open_scope& operator=(const clipboard_open_scope&) = delete;
    bool is_open() const noexcept { return open_; }

  private:
    bool open_;
};

}  // namespace mirl
