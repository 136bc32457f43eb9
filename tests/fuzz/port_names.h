// Reads an input as the port records that drivers leave in the registry, runs the port-name rules
// on them and aborts at the first result that breaks what the rules promise.
//
// One record a line, its fields split at '|': flags (s: started, c: also listed in SERIALCOMM),
// then the PortName, friendly name, device description, bus-reported name, instance ID and parent
// instance ID, each as raw bytes (a NUL and what follows it included). Missing fields are empty.
#pragma once

#include <cstdint>
#include <span>

namespace mirl::fuzz {

void CheckPortNames(std::span<const std::uint8_t> input);

}  // namespace mirl::fuzz
