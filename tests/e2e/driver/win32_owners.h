// Owners for the Win32 handles the driver creates: GDI objects, windows, files.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace e2e {

struct DeleteDcFn {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
struct DeleteObjectFn {
    void operator()(HGDIOBJ obj) const noexcept { DeleteObject(obj); }
};
struct DestroyWindowFn {
    void operator()(HWND hwnd) const noexcept { DestroyWindow(hwnd); }
};
struct CloseHandleFn {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};

using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DeleteDcFn>;
template <typename Handle>
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteObjectFn>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, DestroyWindowFn>;
// A kernel handle whose failure value is NULL (OpenProcess and most others).
using UniqueHandle = std::unique_ptr<void, CloseHandleFn>;

// A DC from GetDC must go back with ReleaseDC on the same window.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC for one scope, putting the previous one back after.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A CreateFileA (or Toolhelp snapshot) handle; failure is INVALID_HANDLE_VALUE, not NULL.
class UniqueFile {
  public:
    explicit UniqueFile(HANDLE handle) noexcept : handle_(handle) {}
    ~UniqueFile() {
        if (valid()) CloseHandle(handle_);
    }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    bool valid() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const noexcept { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace e2e
