// CWinApp: the one application object, its name and instance, and the Afx functions around it.
#pragma once

#include <windows.h>

#include <string>

#include "afxres.h"
#include "cmd_target.h"
#include "message_map.h"

class CWnd;

class CWinApp : public CCmdTarget {
  public:
    // Registers this object as the application (AfxGetApp). Without a name the application is
    // named after the executable's file name without its extension.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // The application's start; FALSE ends it (there is no message loop beyond modal dialogs).
    virtual BOOL InitInstance();

    // Nothing to do on today's systems; kept so that start-up code reads as it always has.
    BOOL Enable3dControls() { return TRUE; }

    HICON LoadIcon(UINT nIDResource) const;

    // The class layer's help command: nothing to show, it only has to exist for ID_HELP.
    void OnHelp() {}

    // ID_HELP -> OnHelp.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CWnd* m_pMainWnd = nullptr;
    LPCSTR m_pszAppName = nullptr;  // points into this object
    HINSTANCE m_hInstance = nullptr;

  private:
    static const mirl::MessageEntry<CWinApp> kMessageMap[];
    std::string m_appName;
};

CWinApp* AfxGetApp();
LPCSTR AfxGetAppName();
// The module that holds the resources: the one the program runs as.
HINSTANCE AfxGetResourceHandle();
// Nothing to do: the program hosts no ActiveX controls.
void AfxEnableControlContainer();

// Called by the executable's WinMain: records the instance, runs InitInstance, returns 0.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
