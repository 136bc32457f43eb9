// The port list drawn by the program: its 256 item strings stay as they are (what DDX, typing a
// name and a screen reader go by), while the opened list shows which ports exist now and what
// each one is, "COM7   USB-SERIAL CH340", in bold.
#pragma once

#include <string>
#include <string_view>

#include "afxwin.h"
#include "item_descriptions.h"
#include "present_ports.h"
#include "win32_handles.h"

// Subclasses IDC_PORT (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS) once the dialog is up, so that its
// measure and draw requests reach it.
class CPortList : public CComboBox {
  public:
    // The ports present now, as looked up: the opened list shows them, each item's data says
    // present (1) or not (0) where another process can read it, screen readers hear what the
    // opened list shows, and the opened list is as wide as its longest text. What the screen
    // readers' part came to: S_OK, or its first failure.
    HRESULT SetPresentPorts(mirl::PresentPorts ports);
    // Takes the control's font as it is now (the dialog's, at the current DPI): the bold variant,
    // the item height, and the closed box's height as tall as `fieldHeight`, a plain list's.
    void FitFont(int fieldHeight);

    // Item heights; the box's own (itemID -1) is left as the control proposes it.
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  private:
    std::string ItemText(int index) const;
    // The port an item of this name stands for while it is present, else m_ports.end().
    mirl::PresentPorts::const_iterator PresentPortNamed(std::string_view name) const;
    // The longest text of the opened list, insets and scroll bar included, at most the screen.
    int DroppedWidth();

    mirl::PresentPorts m_ports;
    CItemDescriptions m_descriptions;
    mirl::unique_hfont m_boldFont;
    int m_itemHeight = 0;
};
