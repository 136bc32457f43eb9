// The output list: a list box that keeps the captured lines, draws them without their line ends,
// scrolls sideways as far as the widest, and whose lines can be copied, from its context menu
// ("&Copy", "Copy &all") or with Ctrl+C.
#pragma once

#include <string>
#include <vector>

#include "afxwin.h"

// The dialog subclasses its list box with this (SubclassDlgItem), so the list's own keyboard
// input, context menu and drawing reach it; every list-box message stays as it was. The template
// makes it owner-drawn (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS): the items keep their text exactly as
// added, line ends included.
class COutputListBox : public CListBox {
  public:
    // Appends a move's lines in order, scrolled so that the newest is the fifth row from the top,
    // with the sideways range widened for the widest as drawn. Under Wine every add, count and
    // scroll of a visible list repaints it at once (about 20 ms a line), so a burst of hundreds
    // would freeze the window for seconds: the list takes them with its redraw off, scrolls once
    // and repaints once.
    void AddLines(const std::vector<std::string>& lines);
    // Empties the list and its sideways range.
    void RemoveAllLines();
    // The rows as high as a line of the list's font, as a plain list box has them (an owner-drawn
    // list keeps the height it was created with otherwise), and every line measured in it. Again
    // on every WM_SETFONT, such as the dialog manager sends with the font of a new DPI.
    void FitToFont();

    // One row as a plain list box draws it, in the list's font and colours, the selection in the
    // system's, but without the line's final line end (ShownTextOfLine).
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

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
    // Keeps the sideways range at the widest of `lines` as drawn and those measured before: a
    // list box leaves that range at 0 by itself.
    void WidenFor(const std::vector<std::string>& lines);

    // The widest line measured, in pixels of the list's font, insets included.
    int m_widestLine = 0;
    // Measures without the list's own context, which costs milliseconds a time under Wine.
    CMemoryDC m_measuringDc;

    static const mirl::MessageEntry<COutputListBox> kMessageMap[];
};
