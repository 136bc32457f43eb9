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

std::string CPortList::ItemText(int index) const {
    CString text;
    GetLBText(index, text);
    return text.str();
}

mirl::PresentPorts::const_iterator CPortList::PresentPortNamed(std::string_view name) const {
    const auto number = mirl::PortNumber(name);
    return number ? m_ports.find(*number) : m_ports.end();
}

HRESULT CPortList::SetPresentPorts(mirl::PresentPorts ports) {
    m_ports = std::move(ports);
    std::map<int, std::string> spoken;
    const int count = GetCount();
    for (int index = 0; index < count; ++index) {
        const auto port = PresentPortNamed(ItemText(index));
        const bool present = port != m_ports.end();
        SetItemData(index, present ? 1 : 0);
        if (present) spoken[index] = mirl::PresentPortSpokenText(port->second);
    }
    SetDroppedWidth(static_cast<UINT>(DroppedWidth()));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    const HWND list = GetComboBoxInfo(&info) ? info.hwndList : nullptr;
    // Looked up again while open (a device came or went): the open list shows the new marks.
    if (list != nullptr && GetDroppedState()) ::InvalidateRect(list, nullptr, TRUE);
    return m_descriptions.Set(list, spoken);
}

void CPortList::FitFont(int fieldHeight) {
    const HFONT font = GetFont();
    LOGFONTA bold{};
    if (font != nullptr && ::GetObjectA(font, sizeof bold, &bold) == sizeof bold) {
        bold.lfWeight = FW_BOLD;
        m_boldFont.reset(::CreateFontIndirectA(&bold));
    }
    m_itemHeight = FontLineHeight(this);
    // The dialog measures items before it subclasses the control, when no answer can come: the
    // heights are set here instead.
    if (m_itemHeight > 0) SetItemHeight(0, static_cast<UINT>(m_itemHeight));
    if (fieldHeight > 0) SetItemHeight(-1, static_cast<UINT>(fieldHeight));
    SetDroppedWidth(static_cast<UINT>(DroppedWidth()));
}

int CPortList::DroppedWidth() {
    CClientDC dc(this);
    const mirl::select_object_scope selected(
        dc.GetSafeHdc(), m_boldFont ? static_cast<HGDIOBJ>(m_boldFont.get()) : GetFont());
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

void CPortList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct->itemID != static_cast<UINT>(-1) && m_itemHeight > 0)
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(m_itemHeight);
}

void CPortList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const DRAWITEMSTRUCT& item = *lpDrawItemStruct;
    const HDC dc = item.hDC;
    const ItemColours colours = ColoursFor(item.itemState);
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(colours.background));
    if (item.itemID != static_cast<UINT>(-1)) {
        const std::string name = ItemText(static_cast<int>(item.itemID));
        // The closed box shows the name alone, as a plain list would.
        const auto port =
            item.itemState & ODS_COMBOBOXEDIT ? m_ports.end() : PresentPortNamed(name);
        const bool marked = port != m_ports.end();
        const std::string text = marked ? mirl::PresentPortText(name, port->second) : name;
        const HFONT font = marked && m_boldFont ? m_boldFont.get() : GetFont();
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
