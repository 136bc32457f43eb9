// Text access across processes. Wine hands list and combo items to another process as UTF-16
// even for the A messages, so items are fetched wide and turned back into ANSI bytes here.
#include "window_text.h"

namespace e2e {

std::optional<LRESULT> SendA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, msg, wparam, lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kSendTimeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

namespace {

std::optional<LRESULT> SendW(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wparam, lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kSendTimeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::optional<std::string> Item(HWND hwnd, UINT len_msg, UINT text_msg, LRESULT i) {
    const auto len = SendW(hwnd, len_msg, static_cast<WPARAM>(i), 0);
    if (!len || *len < 0) return std::nullopt;
    std::wstring buffer(static_cast<size_t>(*len) + 1, L'\0');
    const auto got =
        SendW(hwnd, text_msg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
    if (!got || *got < 0) return std::nullopt;
    buffer.resize(static_cast<size_t>(*got));
    return AnsiFromWide(buffer);
}

// Items of a list box or combo box: count message, length message, text message.
std::optional<std::vector<std::string>> Items(HWND hwnd, UINT count_msg, UINT len_msg,
                                              UINT text_msg) {
    const auto count = SendW(hwnd, count_msg, 0, 0);
    if (!count || *count < 0) return std::nullopt;
    std::vector<std::string> items;
    for (LRESULT i = 0; i < *count; ++i) {
        auto item = Item(hwnd, len_msg, text_msg, i);
        if (!item) return std::nullopt;
        items.push_back(std::move(*item));
    }
    return items;
}

std::string NarrowFromWide(const std::wstring& wide, UINT code_page) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

}  // namespace

std::string AnsiFromWide(const std::wstring& wide) {
    return NarrowFromWide(wide, CP_ACP);
}

std::string Utf8FromWide(const std::wstring& wide) {
    return NarrowFromWide(wide, CP_UTF8);
}

std::wstring WideFromUtf8(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::optional<std::string> WindowTextUtf8(HWND hwnd) {
    const auto len = SendW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (!len || *len < 0) return std::nullopt;
    std::wstring buffer(static_cast<size_t>(*len) + 1, L'\0');
    const auto got =
        SendW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (!got || *got < 0) return std::nullopt;
    buffer.resize(static_cast<size_t>(*got));
    return Utf8FromWide(buffer);
}

std::string RawWindowTextUtf8(HWND hwnd) {
    std::wstring buffer(1024, L'\0');
    const int got = InternalGetWindowText(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return Utf8FromWide(buffer);
}

std::string ClassName(HWND hwnd) {
    char name[256] = {};
    const int got = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, got > 0 ? static_cast<size_t>(got) : 0);
}

std::optional<std::vector<std::string>> ListBoxItems(HWND list) {
    return Items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::optional<std::string> ListBoxItem(HWND list, int index) {
    return Item(list, LB_GETTEXTLEN, LB_GETTEXT, index);
}

std::optional<int> ListBoxCount(HWND list) {
    const auto count = SendW(list, LB_GETCOUNT, 0, 0);
    if (!count || *count < 0) return std::nullopt;
    return static_cast<int>(*count);
}

std::optional<std::vector<std::string>> ComboBoxItems(HWND combo) {
    return Items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

}  // namespace e2e
