// libFuzzer entry point for the buffer operation scripts.
#include <cstddef>
#include <cstdint>
#include <span>

#include "capture_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mirl::fuzz::RunCaptureOps(std::span<const std::uint8_t>(data, size));
    return 0;
}
