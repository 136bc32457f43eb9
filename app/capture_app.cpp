// The application object.
#include "capture_app.h"

#include "capture_dlg.h"

CCaptureApp::CCaptureApp() = default;

BOOL CCaptureApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();

    CCaptureDlg dlg(m_capture, m_port);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;  // the dialog dies with this scope

    // No message loop of the application's own: returning FALSE ends the process.
    return FALSE;
}
