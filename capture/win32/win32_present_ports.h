// The COM ports present now, read from the registry and SetupAPI without opening any of them:
// opening a Bluetooth port takes seconds, and opening can disturb a device.
#pragma once

#include "present_ports.h"

namespace mirl {

// SERIALCOMM's values merged with the present devices of the Ports and Modem classes and of the
// COM-port interface. A source that cannot be read adds nothing.
PresentPorts LookUpPresentPorts();

}  // namespace mirl
