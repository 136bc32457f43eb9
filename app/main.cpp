// The program's entry: the one application object and the hand-over to the class layer.
#include <windows.h>

#include "capture_app.h"

namespace {

// Constructed before WinMain runs, as the class layer expects of the application object.
CCaptureApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
