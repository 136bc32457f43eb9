// Time from process start to a dialog that accepts input, for the real program and for a bare
// dialog procedure on the program's own main template, started in turn in one run.
//
//   startup_bench MIRLTTY_EXE BARE_DIALOG_EXE [STARTS]
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app_under_test.h"
#include "bench_report.h"

namespace mirl::bench {
namespace {

using std::chrono::milliseconds;

// CreateProcess until a visible dialog of the new process answers a sent message.
std::optional<double> StartUp(const std::string& exe) {
    AppUnderTest app(exe);
    if (!app.WaitUntilAnswering(milliseconds{30000})) return std::nullopt;
    const double ms = MillisecondsSince(app.StartTime());
    // Closed before the next start, so that no two programs share the machine.
    if (!app.Close(milliseconds{10000})) return std::nullopt;
    return ms;
}

std::string Figure(const Spread& s) {
    return Format("%.1f (min %.1f, max %.1f)", s.median, s.min, s.max);
}

int Main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench MIRLTTY_EXE BARE_DIALOG_EXE [STARTS]\n");
        return 2;
    }
    const std::array<std::string, 2> programs{argv[1], argv[2]};
    // Single starts under Wine spread over a factor of two; fewer than 15 each say little.
    const int starts = std::max(argc > 3 ? std::atoi(argv[3]) : 0, 15);
    std::array<std::vector<double>, 2> times;
    // One start of each, not counted, brings both into the page cache.
    for (int i = -1; i < starts; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const auto ms = StartUp(programs[p]);
            if (!ms) {
                std::fprintf(stderr, "startup_bench: %s did not come up\n", programs[p].c_str());
                return 1;
            }
            if (i >= 0) times[p].push_back(*ms);
        }
        if (i >= 0) {
            std::printf("start %d: mirltty %.1f ms, bare dialog %.1f ms\n", i + 1, times[0].back(),
                        times[1].back());
        }
    }
    const Spread product = SpreadOf(times[0]);
    const Spread bare = SpreadOf(times[1]);
    PrintRow("Start-up mirltty.exe / bare dialog on its template, ms",
             Figure(product) + " / " + Figure(bare), "",
             Format("median of %d alternating starts: CreateProcess to a dialog answering "
                    "WM_NULL; bare: DialogBoxParam on IDD_MAIN, no items, no icon",
                    starts));
    PrintRow("Start-up ratio mirltty / bare", Format("%.2f", product.median / bare.median),
             "<= 1.1", "median over median");
    return 0;
}

}  // namespace
}  // namespace mirl::bench

int main(int argc, char** argv) {
    return mirl::bench::Main(argc, argv);
}
