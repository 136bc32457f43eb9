// CString's string-table loading and the conversions between the ANSI and the wide form.
#include "cstring.h"

#include "winapp.h"

BOOL CString::LoadString(UINT nID) {
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself, so the
    // entry is read whole, whatever its length; it is then converted to the ANSI code page.
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    m_str.clear();
    if (length <= 0 || text == nullptr) return FALSE;
    m_str = mirl::AnsiFromWide(std::wstring_view(text, static_cast<std::size_t>(length)));
    return !m_str.empty();
}

namespace mirl {

std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string AnsiFromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

}  // namespace mirl
