// Device contexts: CDC for drawing and measuring, CPaintDC for one WM_PAINT, CClientDC for a
// window's client area, CMemoryDC for measuring apart from any window. Each owns its DC through the
// handle owners of handles/.
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

// The height of a line of text in the window's own font (WM_GETFONT), as a plain list's rows have
// it; 0 when it cannot be measured.
int FontLineHeight(CWnd* pWnd);

// A memory context compatible with the screen, for measuring text in a window's font without
// the window's own context: CreateCompatibleDC(NULL) on construction, DeleteDC on destruction.
// Under Wine GetDC on a window costs milliseconds (the window's visible region, from the server
// and the X driver); this costs that once.
class CMemoryDC : public CDC {
  public:
    CMemoryDC();

  private:
    mirl::unique_hdc m_memory;
};
