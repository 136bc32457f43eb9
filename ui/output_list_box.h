// The output list: a list box that draws its own lines, without their line ends, and whose lines
// can be copied, from its context menu ("&Copy", "Copy &all") or with Ctrl+C.
#pragma once

#include <string>
#include <vector>

#include "afxwin.h"

// The dialog subclasses its list box with this (SubclassDlgItem), so the list's own keyboard
// input and context menu reach it; every list-box message stays as it was. The template makes it
// owner-drawn (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS): the items keep their text exactly as added,
// line ends included, and the dialog hands the list's WM_DRAWITEM to DrawItem.
class COutputListBox : public CListBox {
  public:
    // Draws one row as a plain list box would, in the list's font and colours, the selection in
    // the system's, but without the line's final line end (ShownTextOfLine).
    void DrawItem(const DRAWITEMSTRUCT& item);
    // Makes the rows as high as a line of the list's font, as a plain list box has them; an
    // owner-drawn list keeps the height it was created with otherwise. Again on every WM_SETFONT,
    // such as the dialog manager sends with the font of a new DPI.
    void FitRowsToFont();

    // The selected line, without its line end; nothing happens when no line is selected.
    void CopySelectedLine();
    // Every line, each with its own line end as received, or CR LF where it has none.
    void CopyAllLines();
    // Every line, in list order, as the ANSI bytes it was added with.
    std::vector<std::string> Lines() const;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  protected:
    // A right-click on a line selects it first. The menu's own loop keeps dispatching the
    // dialog's timer meanwhile, so a capture goes on while the menu is open.
    void OnContextMenu(CWnd* pWnd, CPoint point);
    // Ctrl+C: Copy with a line selected, Copy all without.
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

  private:
    // Where a menu asked for from the keyboard opens: below the selected line while it is in
    // view, else at the list's top left; in screen coordinates.
    CPoint KeyboardMenuPoint() const;
    void SelectLineAt(CPoint clientPoint);

    static const mirl::MessageEntry<COutputListBox> kMessageMap[];
};
