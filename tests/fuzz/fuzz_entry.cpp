// libFuzzer entry point for one fuzz target.
#include <cstddef>
#include <cstdint>
#include <span>

// The target: MIRL_FUZZ_TARGET, a function of a span of bytes, declared in MIRL_FUZZ_HEADER.
#include MIRL_FUZZ_HEADER

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MIRL_FUZZ_TARGET(std::span<const std::uint8_t>(data, size));
    return 0;
}
