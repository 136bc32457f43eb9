// The output list's copying: its context menu, Ctrl+C and the text each puts on the clipboard.
#include "output_list_box.h"

#include <algorithm>

#include "clipboard.h"
#include "copy_text.h"
#include "resource.h"

namespace {

using Map = mirl::MessageMap<COutputListBox>;

// What TranslateMessage makes of Ctrl+C.
constexpr UINT kCtrlC = 0x03;

}  // namespace

const mirl::MessageEntry<COutputListBox> COutputListBox::kMessageMap[] = {
    Map::OnContextMenu(&COutputListBox::OnContextMenu),
    Map::OnChar(&COutputListBox::OnChar),
};

BOOL COutputListBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (mirl::DispatchMessageMap(*this, kMessageMap, message, wParam, lParam, *pResult)) {
        return TRUE;
    }
    return CListBox::OnWndMsg(message, wParam, lParam, pResult);
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
