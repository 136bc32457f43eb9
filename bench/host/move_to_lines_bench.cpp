// One capture's worth of bytes moved into lines: NMEA sentences and one line of 2000 bytes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "capture_fixture.h"
#include "nmea_text.h"

namespace mirl::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Times only the moves; clearing and storing happen around them, untimed. `burst` bytes arrive
// before each move (the whole text in one go when it is 0), the steady state of a capture.
void MoveText(benchmark::State& state, const std::string& text, std::size_t burst) {
    auto capture = std::make_unique<CaptureFixture>();
    const std::size_t step = burst == 0 ? text.size() : burst;
    std::size_t moves = 0;
    for (auto _ : state) {
        capture->control.ClearData();
        capture->control.MoveToLines();  // past the first move: no line feed for one byte
        Clock::duration moving{};
        for (std::size_t at = 0; at < text.size(); at += step) {
            StoreText(capture->state.buffer, std::string_view(text).substr(at, step));
            const auto start = Clock::now();
            capture->control.MoveToLines();
            moving += Clock::now() - start;
            ++moves;
        }
        state.SetIterationTime(std::chrono::duration<double>(moving).count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["lines"] = static_cast<double>(capture->host.Lines().size());
    state.counters["moves"] = static_cast<double>(moves) / static_cast<double>(state.iterations());
}

void BM_MoveToLines_Nmea(benchmark::State& state) {
    MoveText(state, NmeaText(kMaxRead), 0);
}

// About one burst a second at 4800 baud: a sentence or so per tick.
void BM_MoveToLines_NmeaTicks(benchmark::State& state) {
    MoveText(state, NmeaText(kMaxRead), 80);
}

// Worst case for the pending line: it grows byte by byte to the whole capture.
void BM_MoveToLines_SingleLine(benchmark::State& state) {
    MoveText(state, std::string(kMaxRead, 'G'), 0);
}

BENCHMARK(BM_MoveToLines_Nmea)->UseManualTime();
BENCHMARK(BM_MoveToLines_NmeaTicks)->UseManualTime();
BENCHMARK(BM_MoveToLines_SingleLine)->UseManualTime();

}  // namespace
}  // namespace mirl::bench
