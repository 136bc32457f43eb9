// The About box, opened from the main window's system menu.
#pragma once

#include "afxwin.h"
#include "resource.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();

    enum { IDD = IDD_ABOUTBOX };

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
