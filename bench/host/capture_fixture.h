// The capture objects as the program holds them, wired to the benchmark host and port.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "bench_host.h"
#include "connection_control.h"
#include "instant_port.h"

namespace mirl::bench {

struct CaptureFixture {
    explicit CaptureFixture(std::string portText = "\r\n") : port(std::move(portText)) {}

    CaptureState state;
    InstantPort port;
    BenchHost host;
    LineAssembler lines;
    ConnectionControl control{state, port, host, lines};
};

inline void StoreText(ReceiveBuffer& buffer, std::string_view text) {
    for (const char c : text) buffer.StoreByte(static_cast<std::uint8_t>(c));
}

}  // namespace mirl::bench
