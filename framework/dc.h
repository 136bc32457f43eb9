// Device contexts: CDC for drawing and measuring, CPaintDC for one WM_PAINT, CClientDC for a
// window's client area. Each owns its DC through the handle owners of handles/.
#pragma once

#include <windows.h>

#include "win32_handles.h"

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
    // The size of the text in the selected font, as a single line.
    SIZE GetTextExtent(LPCSTR lpszString, int nCount) const;
};

// The paint context for one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* pWnd);

  private:
    mirl::unique_paint_dc m_paint;
};

// A window's client-area context, for measuring with the window's font: GetDC on construction,
// ReleaseDC on destruction.
class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* pWnd);

  private:
    mirl::unique_window_dc m_client;
};
