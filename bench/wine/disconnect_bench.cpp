// Time from a Disconnect click to "disconnect." in the list, on an idle port: the real program,
// driven from outside, connected to COM1 (a pseudo-terminal nobody writes to).
//
//   disconnect_bench MIRLTTY_EXE [REPEATS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app_under_test.h"
#include "bench_report.h"
#include "resource.h"

namespace mirl::bench {
namespace {

using std::chrono::milliseconds;

int Main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: disconnect_bench MIRLTTY_EXE [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 10;
    AppUnderTest app(argv[1]);
    if (!app.WaitUntilAnswering(milliseconds{30000})) {
        std::fprintf(stderr, "disconnect_bench: %s shows no dialog\n", argv[1]);
        return 1;
    }
    std::vector<double> latencies;
    for (int i = 0; i < repeats; ++i) {
        app.Click(IDC_CONNECT);
        if (!app.WaitForLastLine(IDC_LIST, "connected.", milliseconds{5000}) ||
            app.ControlText(IDC_CONNECT).value_or("") != "Disconnect") {
            std::fprintf(stderr,
                         "disconnect_bench: Connect failed: button \"%s\", last line \"%s\"%s\n",
                         app.ControlText(IDC_CONNECT).value_or("?").c_str(),
                         app.LastListLine(IDC_LIST).value_or("").c_str(),
                         app.ShowsOtherWindow() ? ", a message box is open" : "");
            return 1;
        }
        // Clicks land at different points of the reader's 100 ms read, as a user's would.
        std::this_thread::sleep_for(milliseconds{300 + (i * 37) % 100});
        const auto click = Clock::now();
        app.Click(IDC_CONNECT);
        const auto seen = app.WaitForLastLine(IDC_LIST, "disconnect.", milliseconds{5000});
        if (!seen) {
            std::fprintf(stderr, "disconnect_bench: no \"disconnect.\" after the click\n");
            return 1;
        }
        const double ms = std::chrono::duration<double, std::milli>(*seen - click).count();
        std::printf("disconnect %d: %.1f ms\n", i + 1, ms);
        latencies.push_back(ms);
    }
    const Spread spread = SpreadOf(latencies);
    PrintRow(
        "Disconnect latency, idle port, ms",
        Format("%.1f (min %.1f, max %.1f)", spread.median, spread.min, spread.max), "~100, not 500",
        Format("median of %d: BM_CLICK posted to \"disconnect.\" polled in the list", repeats));
    return 0;
}

}  // namespace
}  // namespace mirl::bench

int main(int argc, char** argv) {
    return mirl::bench::Main(argc, argv);
}
