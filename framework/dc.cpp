// CPaintDC's paired BeginPaint/EndPaint.
#include "dc.h"

#include "wnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    // EndPaint must follow every BeginPaint, or the window's update region stays invalid.
    if (m_hDC != nullptr) ::EndPaint(m_hWnd, &m_ps);
}
