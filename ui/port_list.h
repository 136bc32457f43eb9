// The port list drawn by the program: its 256 item strings stay as they are (what DDX, typing a
// name and a screen reader go by), while the opened list shows which ports exist now and what
// each one is, "COM7   USB-SERIAL CH340", in bold.
#pragma once

#include <string>

#include "afxwin.h"
#include "item_descriptions.h"
#include "present_ports.h"
#include "win32_handles.h"

// Attached to IDC_PORT (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS) once the dialog is up; the dialog
// hands it the measure and draw requests for that control.
class CPortList : public CComboBox {
  public:
    // Marks each item present (item data 1) or not (0), where another process can read it too,
    // tells screen readers what the opened list shows of the present ones, and widens the opened
    // list to the longest text. What the screen readers' part came to: S_OK, or its first failure.
    HRESULT SetPresentPorts(mirl::PresentPorts ports);
    // Takes the control's font as it is now (the dialog's, at the current DPI): the bold variant,
    // the item height, and the closed box's height as tall as `fieldHeight`, a plain list's.
    void FitFont(int fieldHeight);

    // Item heights; the box's own (itemID -1) is left as the control proposes it.
    void MeasureItem(MEASUREITEMSTRUCT& item) const;
    void DrawItem(const DRAWITEMSTRUCT& item) const;

  private:
    HFONT Font() const;
    std::string ItemText(int index) const;
    // The longest text of the opened list, insets and scroll bar included, at most the screen.
    int DroppedWidth();
    // The window of the opened list, which holds the items a screen reader reads.
    HWND ListWindow() const;

    mirl::PresentPorts m_ports;
    CItemDescriptions m_descriptions;
    mirl::unique_hfont m_boldFont;
    int m_itemHeight = 0;
};
