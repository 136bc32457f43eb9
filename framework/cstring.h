// CString: the class layer's thin ANSI string, with printf-style Format and string-table loading.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
  public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}  // NOLINT: converts like the original
    CString(const char* pch, int nLength) : m_str(pch, static_cast<std::size_t>(nLength)) {}
    CString(char ch, int nRepeat = 1) : m_str(static_cast<std::size_t>(nRepeat), ch) {}
    CString(std::string_view text) : m_str(text) {}        // NOLINT
    CString(std::string text) : m_str(std::move(text)) {}  // NOLINT

    CString& operator=(const char* psz) {
        m_str = psz ? psz : "";
        return *this;
    }
    CString& operator=(char ch) {
        m_str.assign(1, ch);
        return *this;
    }

    // The text stays valid until the next change of the string.
    operator LPCSTR() const noexcept { return m_str.c_str(); }  // NOLINT: MFC's implicit view
    LPCSTR GetString() const noexcept { return m_str.c_str(); }
    const std::string& str() const noexcept { return m_str; }

    int GetLength() const noexcept { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const noexcept { return m_str.empty(); }
    void Empty() noexcept { m_str.clear(); }
    char GetAt(int nIndex) const { return m_str.at(static_cast<std::size_t>(nIndex)); }
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch) { m_str.at(static_cast<std::size_t>(nIndex)) = ch; }

    CString& operator+=(const CString& other) {
        m_str += other.m_str;
        return *this;
    }
    CString& operator+=(const char* psz) {
        if (psz) m_str += psz;
        return *this;
    }
    CString& operator+=(char ch) {
        m_str += ch;
        return *this;
    }

    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    void MakeUpper();
    void MakeLower();

    // printf-style; a CString argument must be passed as (LPCSTR)s or s.GetString().
    void Format(const char* pszFormat, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
    void FormatV(const char* pszFormat, va_list args);

    // Loads a string-table entry from the resource module, in the ANSI code page. FALSE (and the
    // string left empty) when there is no such entry.
    BOOL LoadString(UINT nID);

    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_str + b.m_str);
    }
    friend CString operator+(const CString& a, const char* b) { return CString(a) += b; }
    friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }
    friend CString operator+(const CString& a, char b) { return CString(a) += b; }
    friend CString operator+(char a, const CString& b) { return CString(a) += b; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

  private:
    std::string m_str;
};
