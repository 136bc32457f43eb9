// StoreByte throughput: alone on one thread, and from a second thread while the UI thread moves,
// both with a plain storing loop and with the real reader procedure.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "capture_fixture.h"
#include "nmea_text.h"
#include "reader_thread.h"
#include "worker_thread.h"

namespace mirl::bench {
namespace {

void BM_StoreByte(benchmark::State& state) {
    auto buffer = std::make_unique<ReceiveBuffer>();
    const std::string text = NmeaText(kMaxRead);
    for (auto _ : state) {
        StoreText(*buffer, text);
        buffer->Clear();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Stores into the buffer from its own thread each time it is started, until the buffer holds
// kMaxRead bytes, as the reader does; it spins (yielding) between rounds so that a round starts
// without a wake-up delay.
class StoringThread {
  public:
    StoringThread(ReceiveBuffer& buffer, std::string text)
        : m_buffer(buffer),
          m_text(std::move(text)),
          m_thread([this](const std::stop_token& stop) { Run(stop); }) {}

    void Start() {
        m_done.store(false, std::memory_order_relaxed);
        m_round.fetch_add(1, std::memory_order_release);
    }
    bool Done() const { return m_done.load(std::memory_order_acquire); }
    std::int64_t Stored() const { return m_stored.load(std::memory_order_relaxed); }

  private:
    void Run(const std::stop_token& stop) {
        std::uint64_t seen = 0;
        std::size_t next = 0;
        while (!stop.stop_requested()) {
            if (m_round.load(std::memory_order_acquire) == seen) {
                std::this_thread::yield();
                continue;
            }
            ++seen;
            std::int64_t stored = 0;
            while (m_buffer.Count() < kMaxRead) {
                if (m_buffer.StoreByte(static_cast<std::uint8_t>(m_text[next]))) ++stored;
                next = (next + 1) % m_text.size();
            }
            m_stored.fetch_add(stored, std::memory_order_relaxed);
            m_done.store(true, std::memory_order_release);
        }
    }

    ReceiveBuffer& m_buffer;
    const std::string m_text;
    std::atomic<std::uint64_t> m_round{0};
    std::atomic<bool> m_done{false};
    std::atomic<std::int64_t> m_stored{0};
    std::jthread m_thread;  // last: its body uses everything above
};

enum UiThread : std::int64_t { kUiWaits = 0, kUiMoves = 1 };

// One capture per iteration: the UI thread clears, the storing thread fills the buffer to the
// mark, the UI thread either moves the whole time or only waits, then moves the rest.
void BM_StoreByteFromReader(benchmark::State& state) {
    const bool uiMoves = state.range(0) == kUiMoves;
    auto capture = std::make_unique<CaptureFixture>();
    StoringThread storer(capture->state.buffer, NmeaText(kMaxRead));
    std::int64_t held = 0;
    for (auto _ : state) {
        capture->control.ClearData();
        storer.Start();
        while (!storer.Done()) {
            if (uiMoves) {
                capture->control.MoveToLines();
            } else {
                std::this_thread::yield();
            }
        }
        capture->control.MoveToLines();
        held += capture->state.buffer.Count();
    }
    const auto stored = storer.Stored();
    state.SetItemsProcessed(stored);
    state.SetLabel(uiMoves ? "ui_moves" : "ui_waits");
    const auto n = static_cast<double>(state.iterations());
    state.counters["stored"] = static_cast<double>(stored) / n;
    state.counters["lf_inserted"] = static_cast<double>(held - stored) / n;
}

// The real reader procedure on a port that never waits, one thread start per capture; the UI
// thread moves until the reader reports the mark, as the timer would, only without pause.
void BM_CaptureWithReaderThread(benchmark::State& state) {
    const bool uiMoves = state.range(0) == kUiMoves;
    auto capture = std::make_unique<CaptureFixture>(NmeaText(kMaxRead));
    std::int64_t held = 0;
    for (auto _ : state) {
        capture->control.ClearData();
        capture->state.readerState.store(ReaderStatus::Reading);
        auto reader = StartStdThread([&capture] {
            ReaderThreadProc(capture->state.buffer, capture->state.readerState, capture->port);
        });
        if (!reader) {
            state.SkipWithError("no thread");
            break;
        }
        while (capture->state.readerState.load() != ReaderStatus::Stop) {
            if (uiMoves) {
                capture->control.MoveToLines();
            } else {
                std::this_thread::yield();
            }
        }
        reader->Join();
        capture->control.MoveToLines();
        capture->state.readerState.store(ReaderStatus::Idle);
        held += capture->state.buffer.Count();
    }
    state.SetItemsProcessed(held);
    state.SetLabel(uiMoves ? "ui_moves" : "ui_waits");
    state.counters["held"] = static_cast<double>(held) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_StoreByte);
BENCHMARK(BM_StoreByteFromReader)->Arg(kUiWaits)->Arg(kUiMoves)->UseRealTime();
BENCHMARK(BM_CaptureWithReaderThread)->Arg(kUiWaits)->Arg(kUiMoves)->UseRealTime();

}  // namespace
}  // namespace mirl::bench
