// Dialog data exchange: CDataExchange and the DDX_ routines that move values to and from controls.
#pragma once

#include <windows.h>

#include "cstring.h"

class CWnd;

class CDataExchange {
  public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members
    CWnd* m_pDlgWnd;

    // The control's window, or nullptr if the dialog has no child with this id.
    HWND PrepareCtrl(int nIDC);
};

// Binds a control member to the dialog's child window with this id.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Save: the combo box's text. Load: selects the first item that begins with the text (case
// ignored), searching from the top.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
