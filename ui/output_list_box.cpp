// The output list's drawing of its rows and its copying: its context menu, Ctrl+C and the text
// each puts on the clipboard.
#include "output_list_box.h"

#include <algorithm>

#include "clipboard.h"
#include "copy_text.h"
#include "resource.h"
#include "shown_text.h"

namespace {

using Map = mirl::MessageMap<COutputListBox>;

// What TranslateMessage makes of Ctrl+C.
constexpr UINT kCtrlC = 0x03;
// A plain list box draws an item's text a pixel in from either side of the row.
constexpr int kTextInset = 1;
// The list scrolls so that the newest line is the fifth row from the top.
constexpr int kNewestLineRow = 5;

}  // namespace

const mirl::MessageEntry<COutputListBox> COutputListBox::kMessageMap[] = {
    Map::OnContextMenu(&COutputListBox::OnContextMenu),
    Map::OnChar(&COutputListBox::OnChar),
    Map::OnMessage(WM_SETFONT, &COutputListBox::OnSetFont),
};

BOOL COutputListBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (mirl::DispatchMessageMap(*this, kMessageMap, message, wParam, lParam, *pResult)) {
        return TRUE;
    }
    return CListBox::OnWndMsg(message, wParam, lParam, pResult);
}

// Every action draws the whole row, the focus mark exactly when the row has the focus: the mark is
// drawn inverted, and drawn only on some actions it would get out of step with what the screen
// held before. An empty list that has the focus gets a row with its mark only.
void COutputListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const DRAWITEMSTRUCT& item = *lpDrawItemStruct;
    const HDC dc = item.hDC;
    const RECT row = item.rcItem;
    const std::wstring line = item.itemID == static_cast<UINT>(-1)
                                  ? std::wstring()
                                  : GetWideText(static_cast<int>(item.itemID));
    const std::wstring_view shown = mirl::ShownTextOfLine(std::wstring_view(line));
    // Unselected rows keep the colours the list's WM_CTLCOLORLISTBOX put into the context.
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF text = ::GetTextColor(dc);
    const COLORREF back = ::GetBkColor(dc);
    if (selected) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    {
        const mirl::select_object_scope font(dc, GetFont());
        ::ExtTextOutW(dc, row.left + kTextInset, row.top, ETO_OPAQUE | ETO_CLIPPED, &row,
                      shown.data(), static_cast<UINT>(shown.size()), nullptr);
    }
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        ::DrawFocusRect(dc, &row);
}

void COutputListBox::AddLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    std::size_t bytes = 0;
    for (const std::string& line : lines) bytes += line.size() + 1;
    SetRedraw(FALSE);
    InitStorage(static_cast<int>(lines.size()), static_cast<UINT>(bytes));
    for (const std::string& line : lines) AddString(line.c_str());
    SetTopIndex(std::max(GetCount() - kNewestLineRow, 0));
    WidenFor(lines);
    SetRedraw(TRUE);
    Invalidate();
}

void COutputListBox::RemoveAllLines() {
    ResetContent();
    m_widestLine = 0;
    SetHorizontalExtent(0);
}

void COutputListBox::FitToFont() {
    const int height = FontLineHeight(this);
    if (height > 0) SetItemHeight(0, static_cast<UINT>(height));
    m_widestLine = 0;
    WidenFor(Lines());
}

// Measured on the text the list draws of each line; an empty one widens nothing.
void COutputListBox::WidenFor(const std::vector<std::string>& lines) {
    const CDC& dc = m_measuringDc;
    const mirl::select_object_scope font(dc.GetSafeHdc(), GetFont());
    int widest = m_widestLine;
    for (const std::string& line : lines) {
        const std::string_view shown = mirl::ShownTextOfLine(std::string_view(line));
        if (shown.empty()) continue;
        const SIZE size = dc.GetTextExtent(shown.data(), static_cast<int>(shown.size()));
        widest = std::max(widest, static_cast<int>(size.cx) + 2 * kTextInset);
    }
    if (widest == m_widestLine) return;
    m_widestLine = widest;
    SetHorizontalExtent(widest);
}

LRESULT COutputListBox::OnSetFont(WPARAM, LPARAM) {
    const LRESULT result = Default();
    FitToFont();
    return result;
}

void COutputListBox::OnContextMenu(CWnd*, CPoint point) {
    CPoint at = point;
    if (point.x == -1 && point.y == -1) {
        at = KeyboardMenuPoint();
    } else {
        CPoint client = point;
        ScreenToClient(&client);
        CRect clientRect;
        GetClientRect(&clientRect);
        // On a scroll bar or the border: whatever the system shows there.
        if (!clientRect.PtInRect(client)) {
            Default();
            return;
        }
        SelectLineAt(client);
    }
    CMenu menu;
    if (!menu.CreatePopupMenu()) return;
    const bool lineSelected = GetCurSel() != LB_ERR;
    menu.AppendMenu(MF_STRING | (lineSelected ? MF_ENABLED : MF_GRAYED), IDM_COPY, "&Copy");
    menu.AppendMenu(MF_STRING, IDM_COPYALL, "Copy &all");
    const int chosen = menu.TrackPopupMenu(
        TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y,
        this);
    // Taken after the menu closed: lines a tick added meanwhile are in it.
    if (chosen == IDM_COPY) {
        CopySelectedLine();
    } else if (chosen == IDM_COPYALL) {
        CopyAllLines();
    }
}

void COutputListBox::OnChar(UINT nChar, UINT, UINT) {
    if (nChar != kCtrlC) {
        Default();
    } else if (GetCurSel() != LB_ERR) {
        CopySelectedLine();
    } else {
        CopyAllLines();
    }
}

// A busy clipboard is given up silently: nothing to tell the user that would help.
void COutputListBox::CopySelectedLine() {
    const int selected = GetCurSel();
    if (selected == LB_ERR) return;
    CString line;
    GetText(selected, line);
    mirl::SetClipboardText(m_hWnd, mirl::CopyTextOfLine(line.str()));
}

void COutputListBox::CopyAllLines() {
    mirl::SetClipboardText(m_hWnd, mirl::CopyTextOfAllLines(Lines()));
}

std::vector<std::string> COutputListBox::Lines() const {
    std::vector<std::string> lines(static_cast<std::size_t>(std::max(GetCount(), 0)));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        CString line;
        GetText(static_cast<int>(i), line);
        lines[i] = line.str();
    }
    return lines;
}

CPoint COutputListBox::KeyboardMenuPoint() const {
    CRect client;
    GetClientRect(&client);
    CPoint at(client.left, client.top);
    const int selected = GetCurSel();
    CRect item;
    if (selected != LB_ERR && GetItemRect(selected, &item) != LB_ERR && item.bottom > client.top &&
        item.top < client.bottom) {
        at = CPoint(std::max(item.left, client.left), std::min(item.bottom, client.bottom));
    }
    ClientToScreen(&at);
    return at;
}

// Below the last line a list box still names the nearest line, so the line's own rectangle
// decides.
void COutputListBox::SelectLineAt(CPoint clientPoint) {
    BOOL outside = TRUE;
    const auto index = static_cast<int>(ItemFromPoint(clientPoint, outside));
    CRect item;
    if (outside || GetItemRect(index, &item) == LB_ERR || !item.PtInRect(clientPoint)) return;
    SetCurSel(index);
}
