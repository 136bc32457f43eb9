// The application object: runs the main dialog modally and ends when it closes.
#pragma once

#include "afxwin.h"
#include "connection_control.h"
#include "win32_serial_port.h"

class CCaptureApp : public CWinApp {
  public:
    CCaptureApp();

    BOOL InitInstance() override;

  private:
    // The objects shared with the reader thread, alive for the whole run.
    mirl::CaptureState m_capture;
    mirl::Win32SerialPort m_port;
};
