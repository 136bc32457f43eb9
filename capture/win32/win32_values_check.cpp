// Compile-time proof that the constants capture/ uses without windows.h have the Win32 values.
#include <windows.h>

#include "device_gone.h"
#include "message_box.h"
#include "serial_port.h"

namespace mirl {

static_assert(kMbOk == MB_OK);
static_assert(kMbOkCancel == MB_OKCANCEL);
static_assert(kMbYesNoCancel == MB_YESNOCANCEL);
static_assert(kMbIconStop == MB_ICONSTOP);
static_assert(kMbIconExclamation == MB_ICONEXCLAMATION);
static_assert(kMbIconInformation == MB_ICONINFORMATION);

static_assert(kIdOk == IDOK);
static_assert(kIdCancel == IDCANCEL);
static_assert(kIdYes == IDYES);
static_assert(kIdNo == IDNO);

static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorNotReady == ERROR_NOT_READY);
static_assert(kErrorBadCommand == ERROR_BAD_COMMAND);
static_assert(kErrorDeviceNotConnected == ERROR_DEVICE_NOT_CONNECTED);
static_assert(kErrorDeviceRemoved == ERROR_DEVICE_REMOVED);

static_assert(kPurgeAll == (PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));

}  // namespace mirl
