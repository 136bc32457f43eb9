// Drawing the port list and keeping its marks current.
#include "port_list.h"

#include <algorithm>

namespace {

// Text starts this far in from the item's left edge, as in a plain list.
constexpr int kTextInset = 2;

struct ItemColours {
    int background;
    int text;
};

// A system metric at the window's DPI where Windows has per-monitor metrics (10 1607 and later),
// else at the system's: in a per-monitor process GetSystemMetrics answers for the main monitor.
int MetricForWindow(HWND window, int index) {
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    const auto forDpi = reinterpret_cast<int(WINAPI*)(int, UINT)>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetSystemMetricsForDpi")));
    const auto dpiOf = reinterpret_cast<UINT(WINAPI*)(HWND)>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")));
    const UINT dpi = forDpi && dpiOf ? dpiOf(window) : 0;
    return dpi != 0 ? forDpi(index, dpi) : ::GetSystemMetrics(index);
}

ItemColours ColoursFor(UINT state) {
    if (state & ODS_DISABLED) return {COLOR_BTNFACE, COLOR_GRAYTEXT};
    if (state & ODS_SELECTED) return {COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    return {COLOR_WINDOW, COLOR_WINDOWTEXT};
}

}  // namespace

HFONT CPortList::Font() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

std::string CPortList::ItemText(int index) const {
    CString text;
    GetLBText(index, text);
    return text.str();
}

HWND CPortList::ListWindow() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return SendMessage(CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)) != FALSE
               ? info.hwndList
               : nullptr;
}

HRESULT CPortList::SetPresentPorts(mirl::PresentPorts ports) {
    m_ports = std::move(ports);
    std::map<int, std::string> spoken;
    const int count = static_cast<int>(SendMessage(CB_GETCOUNT));
    for (int index = 0; index < count; ++index) {
        const auto number = mirl::PortNumber(ItemText(index));
        const auto port = number ? m_ports.find(*number) : m_ports.end();
        const bool present = port != m_ports.end();
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), present ? 1 : 0);
        if (present) spoken[index] = mirl::PresentPortSpokenText(port->second);
    }
    SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DroppedWidth()));
    const HWND list = ListWindow();
    // Looked up again while open (a device came or went): the open list shows the new marks.
    if (list != nullptr && GetDroppedState()) ::InvalidateRect(list, nullptr, TRUE);
    return m_descriptions.Set(list, spoken);
}

void CPortList::FitFont(int fieldHeight) {
    const HFONT font = Font();
    LOGFONTA bold{};
    if (font != nullptr && ::GetObjectA(font, sizeof bold, &bold) == sizeof bold) {
        bold.lfWeight = FW_BOLD;
        m_boldFont.reset(::CreateFontIndirectA(&bold));
    }
    m_itemHeight = FontLineHeight(this);
    // The dialog measures items before its object is attached (under Wine at least), when no
    // answer can come: the heights are set here instead.
    if (m_itemHeight > 0) SendMessage(CB_SETITEMHEIGHT, 0, m_itemHeight);
    if (fieldHeight > 0) SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight);
    SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DroppedWidth()));
}

int CPortList::DroppedWidth() {
    CClientDC dc(this);
    const mirl::select_object_scope selected(
        dc.GetSafeHdc(), m_boldFont ? static_cast<HGDIOBJ>(m_boldFont.get()) : Font());
    int widest = 0;
    for (const auto& [number, description] : m_ports) {
        const std::string text = mirl::PresentPortText("COM" + std::to_string(number), description);
        widest = std::max(
            widest,
            static_cast<int>(dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx));
    }
    const int wanted = widest + 2 * kTextInset + MetricForWindow(m_hWnd, SM_CXVSCROLL) +
                       2 * MetricForWindow(m_hWnd, SM_CXEDGE);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor))
        return wanted;
    return std::min(wanted, static_cast<int>(monitor.rcMonitor.right - monitor.rcMonitor.left));
}

void CPortList::MeasureItem(MEASUREITEMSTRUCT& item) const {
    if (item.itemID != static_cast<UINT>(-1) && m_itemHeight > 0) item.itemHeight = m_itemHeight;
}

void CPortList::DrawItem(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    const ItemColours colours = ColoursFor(item.itemState);
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(colours.background));
    if (item.itemID != static_cast<UINT>(-1)) {
        const std::string name = ItemText(static_cast<int>(item.itemID));
        // The closed box shows the name alone, as a plain list would.
        const bool marked = item.itemData != 0 && !(item.itemState & ODS_COMBOBOXEDIT);
        const auto number = mirl::PortNumber(name);
        const auto port = number ? m_ports.find(*number) : m_ports.end();
        const std::string text =
            marked && port != m_ports.end() ? mirl::PresentPortText(name, port->second) : name;
        const HFONT font = marked && m_boldFont ? m_boldFont.get() : Font();
        const mirl::select_object_scope selected(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(colours.text));
        RECT textRect = item.rcItem;
        textRect.left += kTextInset;
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        ::DrawFocusRect(dc, &item.rcItem);
}
