// Device contexts: CDC for drawing and measuring, CPaintDC owning one BeginPaint/EndPaint pair,
// CClientDC one GetDC/ReleaseDC pair.
#pragma once

#include <windows.h>

class CWnd;

class CDC {
  public:
    CDC() = default;
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    // Returns the object it replaces, to be selected back before the context goes.
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    // The size of the text in the selected font, as a single line.
    SIZE GetTextExtent(LPCSTR lpszString, int nCount) const;
};

// The paint context for one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

  private:
    HWND m_hWnd;
};

// A window's client-area context, for measuring with the window's font: GetDC on construction,
// ReleaseDC on destruction.
class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

  private:
    HWND m_hWnd;
};
