// The device contexts and text measuring.
#include "dc.h"

#include "wnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_paint(pWnd->m_hWnd) {
    m_hDC = m_paint.get();
}

CClientDC::CClientDC(CWnd* pWnd) : m_client(pWnd->m_hWnd) {
    m_hDC = m_client.get();
}

CMemoryDC::CMemoryDC() : m_memory(::CreateCompatibleDC(nullptr)) {
    m_hDC = m_memory.get();
}

int FontLineHeight(CWnd* pWnd) {
    CClientDC dc(pWnd);
    const mirl::select_object_scope font(dc.GetSafeHdc(), pWnd->GetFont());
    TEXTMETRICA metrics{};
    return ::GetTextMetricsA(dc.GetSafeHdc(), &metrics) ? static_cast<int>(metrics.tmHeight) : 0;
}

SIZE CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return size;
}
