// SetClipboardText: both formats prepared first, then the clipboard held open only to set them.
#include "clipboard.h"

#include <cstring>
#include <optional>
#include <string>

#include "cstring.h"
#include "win32_handles.h"

namespace mirl {
namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kPauseBetweenAttemptsMs = 20;

// Moveable memory holding a copy of `size` bytes, as SetClipboardData wants it; none on failure.
unique_hglobal GlobalCopy(const void* data, std::size_t size) {
    unique_hglobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return memory;
    const global_lock_scope lock(memory.get());
    if (lock.get() == nullptr) return {};
    std::memcpy(lock.get(), data, size);
    return memory;
}

}  // namespace

bool SetClipboardText(HWND owner, std::string_view text) {
    const std::wstring wide = WideFromAnsi(text);
    if (wide.empty() && !text.empty()) return false;
    unique_hglobal unicodeText = GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    const std::string ansi(text);
    unique_hglobal ansiText = GlobalCopy(ansi.c_str(), ansi.size() + 1);
    if (!unicodeText || !ansiText) return false;

    std::optional<clipboard_open_scope> clipboard;
    for (int attempt = 1;; ++attempt) {
        clipboard.emplace(owner);
        if (clipboard->is_open()) break;
        clipboard.reset();
        if (attempt == kOpenAttempts) return false;
        ::Sleep(kPauseBetweenAttemptsMs);
    }
    if (!::EmptyClipboard()) return false;
    // From a successful SetClipboardData on the system owns the memory.
    if (::SetClipboardData(CF_UNICODETEXT, unicodeText.get()) != nullptr) {
        (void)unicodeText.release();
    }
    if (::SetClipboardData(CF_TEXT, ansiText.get()) != nullptr) (void)ansiText.release();
    return !unicodeText && !ansiText;
}

}  // namespace mirl
