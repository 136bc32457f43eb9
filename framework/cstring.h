// CString: the class layer's thin ANSI string, with string-table loading.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class CString {
  public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}  // NOLINT: converts like the original
    CString(const char* pch, int nLength) : m_str(pch, static_cast<std::size_t>(nLength)) {}
    CString(std::string text) : m_str(std::move(text)) {}  // NOLINT

    CString& operator=(const char* psz) {
        m_str = psz ? psz : "";
        return *this;
    }

    // The text stays valid until the next change of the string.
    operator LPCSTR() const noexcept { return m_str.c_str(); }  // NOLINT: MFC's implicit view
    LPCSTR GetString() const noexcept { return m_str.c_str(); }
    const std::string& str() const noexcept { return m_str; }

    int GetLength() const noexcept { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const noexcept { return m_str.empty(); }
    void Empty() noexcept { m_str.clear(); }

    // Loads a string-table entry from the resource module, in the ANSI code page. FALSE (and the
    // string left empty) when there is no such entry.
    BOOL LoadString(UINT nID);

  private:
    std::string m_str;
};

namespace mirl {

// Text between the ANSI code page, in which the program keeps its text, and the wide form that
// the system's W calls take; empty when the text cannot be converted.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

}  // namespace mirl
