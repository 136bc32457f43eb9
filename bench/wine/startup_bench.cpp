// Time from process start to a dialog that accepts input, for the real program, a bare Win32
// dialog of the same size, and the bare dialog's code on the program's own template, taken in
// turn in one run.
//
//   startup_bench MIRLTTY_EXE BARE_DIALOG_EXE TEMPLATE_DIALOG_EXE [REPEATS]
#include <windows.h>

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
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: startup_bench MIRLTTY_EXE BARE_DIALOG_EXE TEMPLATE_DIALOG_EXE "
                     "[REPEATS]\n");
        return 2;
    }
    const std::array<std::string, 3> programs{argv[1], argv[2], argv[3]};
    const int repeats = argc > 4 ? std::atoi(argv[4]) : 10;
    std::array<std::vector<double>, 3> times;
    // One start of each, not counted, brings all into the page cache.
    for (int i = -1; i < repeats; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const auto ms = StartUp(programs[p]);
            if (!ms) {
                std::fprintf(stderr, "startup_bench: %s did not come up\n", programs[p].c_str());
                return 1;
            }
            if (i >= 0) times[p].push_back(*ms);
        }
        if (i >= 0) {
            std::printf("start %d: mirltty %.1f ms, bare %.1f ms, bare on the template %.1f ms\n",
                        i + 1, times[0].back(), times[1].back(), times[2].back());
        }
    }
    const Spread product = SpreadOf(times[0]);
    const Spread bare = SpreadOf(times[1]);
    const Spread onTemplate = SpreadOf(times[2]);
    PrintRow("Start-up mirltty.exe, ms", Figure(product), "",
             Format("median of %d, in turn: CreateProcess to dialog answering WM_NULL", repeats));
    PrintRow("Start-up bare dialog, ms", Figure(bare), "",
             "280x158 DU, 5 controls, own .rc, same static link");
    PrintRow("Start-up bare code on mirltty's template, ms", Figure(onTemplate), "",
             "bare dialog procedure, IDD_MAIN and resources of mirltty");
    PrintRow("Start-up ratio mirltty / bare", Format("%.2f", product.median / bare.median),
             "<= 1.2", "median over median");
    PrintRow("Start-up ratio mirltty / bare on its template",
             Format("%.2f", product.median / onTemplate.median), "",
             "the program's code alone, template cost removed");
    return 0;
}

}  // namespace
}  // namespace mirl::bench

int main(int argc, char** argv) {
    return mirl::bench::Main(argc, argv);
}
