// CString's out-of-line members: comparison, slicing, formatting and string-table loading.
#include "cstring.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "winapp.h"

int CString::Compare(const char* psz) const {
    return std::strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(const char* psz) const {
    // lstrcmpiA compares in the user's locale, as the original does for ANSI text.
    return ::lstrcmpiA(m_str.c_str(), psz ? psz : "");
}

CString CString::Left(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(0, static_cast<std::size_t>(nCount)));
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(
        m_str.substr(static_cast<std::size_t>(nFirst), static_cast<std::size_t>(nCount)));
}

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(m_str.size() - static_cast<std::size_t>(nCount)));
}

int CString::Find(char ch, int nStart) const {
    if (nStart < 0 || nStart > GetLength()) return -1;
    auto pos = m_str.find(ch, static_cast<std::size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* pszSub, int nStart) const {
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength()) return -1;
    auto pos = m_str.find(pszSub, static_cast<std::size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

void CString::MakeUpper() {
    for (char& ch : m_str) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
}

void CString::MakeLower() {
    for (char& ch : m_str) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (length < 0) {
        m_str.clear();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    m_str.assign(buffer.data(), static_cast<std::size_t>(length));
}

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
