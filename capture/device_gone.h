// Which failures of the port's status call (ClearCommError) mean that the device behind an open
// port has gone, by their Win32 error codes, for code that must not include windows.h. The
// Windows build checks the values.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace mirl {

// A port taken for gone is not read again until its status call answers, so a wrong "gone" kills
// a capture that works, while a missed one costs little: on Windows the reads of a removed device
// fail at once, and a failed read pauses anyway. Hence a short list of unambiguous answers.
//   ERROR_ACCESS_DENIED: a handle whose device is being removed (its deletion is pending).
//   ERROR_NOT_READY: the device no longer answers; Wine's answer for a hung-up pseudo-terminal.
//   ERROR_BAD_COMMAND: the device is in no state to take requests, as after a surprise removal.
//   ERROR_DEVICE_NOT_CONNECTED, ERROR_DEVICE_REMOVED: say so themselves.
// Left out on purpose: ERROR_INVALID_FUNCTION and ERROR_NOT_SUPPORTED (a virtual, Bluetooth or
// network port whose driver lacks the request, while reads work); ERROR_GEN_FAILURE (the generic
// failure, which some drivers give for requests they do not handle); ERROR_OPERATION_ABORTED (the
// call was cancelled, as the stop of a capture does, or aborted after a line error).
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorNotReady = 21;
inline constexpr std::uint32_t kErrorBadCommand = 22;
inline constexpr std::uint32_t kErrorDeviceNotConnected = 1167;
inline constexpr std::uint32_t kErrorDeviceRemoved = 1617;

inline constexpr std::uint32_t kDeviceGoneErrors[] = {kErrorAccessDenied, kErrorNotReady,
                                                      kErrorBadCommand, kErrorDeviceNotConnected,
                                                      kErrorDeviceRemoved};

// `lastError`: GetLastError after ClearCommError failed.
constexpr bool MeansDeviceGone(std::uint32_t lastError) {
    return std::find(std::begin(kDeviceGoneErrors), std::end(kDeviceGoneErrors), lastError) !=
           std::end(kDeviceGoneErrors);
}

}  // namespace mirl
