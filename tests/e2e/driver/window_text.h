// Reading texts and items out of another process's windows without ever blocking for long.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A hung or busy target must not hang the driver: every send gives up after this long.
inline constexpr UINT kSendTimeoutMs = 5000;

// SendMessageTimeoutA; nullopt when the target did not answer in time.
std::optional<LRESULT> SendA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// Window text through WM_GETTEXT, as UTF-8.
std::optional<std::string> WindowTextUtf8(HWND hwnd);

// Window text as the window manager keeps it (no message sent), as UTF-8: readable while the
// owning thread is blocked.
std::string RawWindowTextUtf8(HWND hwnd);

std::string ClassName(HWND hwnd);

// List-box and combo-box items as the ANSI bytes the program put in.
std::optional<std::vector<std::string>> ListBoxItems(HWND list);
std::optional<std::vector<std::string>> ComboBoxItems(HWND combo);
// One list-box item, and the number of items, without reading them all.
std::optional<std::string> ListBoxItem(HWND list, int index);
std::optional<int> ListBoxCount(HWND list);

// Wide text in the ANSI code page: the bytes a program's A calls would have given.
std::string AnsiFromWide(const std::wstring& wide);
std::string Utf8FromWide(const std::wstring& wide);
std::wstring WideFromUtf8(const std::string& utf8);

}  // namespace e2e
