// The application object.
#include "capture_app.h"

#include "capture_dlg.h"

CCaptureApp::CCaptureApp() = default;

BOOL CCaptureApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();

    {
        CCaptureDlg dlg(m_capture, m_port);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }  // the dialog stops a capture still running as it goes, waiting only briefly

    // A reader given up on, stuck in a call that neither its time-out nor a cancel ended, holds
    // the port, which belongs to this object like the buffer. Destroying them at the program's
    // end would pull them from under it: end the process here instead, which ends the thread and
    // releases the port.
    if (m_capture.reader.StillHoldsThePort()) ::ExitProcess(0);

    // No message loop of the application's own: returning FALSE ends the process.
    return FALSE;
}
