// ClearData after a full capture shown as lines, and the buffer's own clear.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "capture_fixture.h"
#include "nmea_text.h"

namespace mirl::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Timed alone: filling and moving first would outweigh it a hundredfold.
void BM_ClearData(benchmark::State& state) {
    auto capture = std::make_unique<CaptureFixture>();
    const std::string text = NmeaText(kMaxRead);
    for (auto _ : state) {
        StoreText(capture->state.buffer, text);
        capture->control.MoveToLines();
        const auto start = Clock::now();
        capture->control.ClearData();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

// The lock, the count and the move index only; the same for a full buffer as for an empty one.
void BM_BufferClear(benchmark::State& state) {
    auto buffer = std::make_unique<ReceiveBuffer>();
    for (auto _ : state) buffer->Clear();
}

BENCHMARK(BM_ClearData)->UseManualTime();
BENCHMARK(BM_BufferClear);

}  // namespace
}  // namespace mirl::bench
