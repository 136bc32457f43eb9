// CString's string-table loading.
#include "cstring.h"

#include "winapp.h"

BOOL CString::LoadString(UINT nID) {
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself, so the
    // entry is read whole, whatever its length; it is then converted to the ANSI code page.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    m_str.clear();
    if (length <= 0 || text == nullptr) return FALSE;
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return FALSE;
    m_str.resize(static_cast<std::size_t>(bytes));
    ::WideCharToMultiByte(CP_ACP, 0, text, length, m_str.data(), bytes, nullptr, nullptr);
    return TRUE;
}
