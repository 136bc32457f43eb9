// Runs one fuzz target on the inputs in the given files and directories once each, for builds
// without libFuzzer; a mismatch aborts, so a test runner sees it as a failure.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// The target: MIRL_FUZZ_TARGET, a function of a span of bytes, declared in MIRL_FUZZ_HEADER.
#include MIRL_FUZZ_HEADER

namespace {

std::vector<std::filesystem::path> CollectInputs(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file()) inputs.push_back(entry.path());
            }
        } else {
            inputs.push_back(arg);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    const auto inputs = CollectInputs(argc, argv);
    if (inputs.empty()) {
        // An empty run would pass without testing anything: a wrong path must not look green.
        std::fprintf(stderr, "usage: %s <corpus file or directory>...\n", argv[0]);
        return 2;
    }
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
            return 2;
        }
        const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()};
        MIRL_FUZZ_TARGET(data);
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
