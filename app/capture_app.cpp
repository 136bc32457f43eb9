// The application object.
#include "capture_app.h"

#include "capture_dlg.h"
#include "win32_present_ports.h"

CCaptureApp::CCaptureApp() = default;

BOOL CCaptureApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();

    {
        CCaptureDlg dlg(m_capture, m_port, mirl::LookUpPresentPorts);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }  // the dialog stops a capture still running as it goes, waiting only briefly

    // A reader given up on, stuck in a call that neither its time-out nor a cancel ended, holds
    // the port, which belongs to this object like the buffer: destroying them at the program's
    // end would pull them from under it. ExitProcess would also run every DLL's detach code and
    // the static destructors, a thread owner that joins without limit among them, and could hang.
    // TerminateProcess runs none of that; the system then cancels the pending read, but a driver
    // that ignores the cancel keeps the process, and with it the port it holds exclusively, until
    // the device is unplugged.
    if (!m_capture.reader.PortIsFree()) ::TerminateProcess(::GetCurrentProcess(), 0);

    // No message loop of the application's own: returning FALSE ends the process.
    return FALSE;
}
