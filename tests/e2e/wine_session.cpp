// Reuses scripts/wine-env.sh for prefix, Xvfb and server, so the suite and the Windows unit tests
// bring Wine up the same way; the suite keeps a prefix of its own so its COM links never meet
// theirs.
#include "wine_session.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace e2e {
namespace {

std::filesystem::path FromEnv(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path(fallback);
}

}  // namespace

E2ePaths E2ePaths::FromBuildAndEnvironment() {
    E2ePaths p;
    p.source_dir = FromEnv("MIRL_E2E_SOURCE_DIR", MIRL_E2E_SOURCE_DIR);
    p.app = FromEnv("MIRL_E2E_APP", MIRL_E2E_APP);
    p.driver = FromEnv("MIRL_E2E_DRIVER", MIRL_E2E_DRIVER);
    p.fixture = FromEnv("MIRL_E2E_FIXTURE", MIRL_E2E_FIXTURE);
    p.prefix = FromEnv("MIRL_E2E_PREFIX", MIRL_E2E_PREFIX);
    p.artifacts = FromEnv("MIRL_E2E_ARTIFACTS", MIRL_E2E_ARTIFACTS);
    p.data_dir = FromEnv("MIRL_E2E_DATA_DIR", MIRL_E2E_DATA_DIR);
    return p;
}

PortLink::PortLink(std::filesystem::path link, const std::string& target) : link_(std::move(link)) {
    Retarget(target);
}

PortLink::~PortLink() {
    if (link_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(link_, ignored);
}

PortLink::PortLink(PortLink&& other) noexcept : link_(std::move(other.link_)) {
    other.link_.clear();
}

void PortLink::Retarget(const std::string& target) {
    // Made beside and renamed over, so Wine never sees the port missing in between.
    const auto tmp = link_.string() + ".new";
    std::error_code ignored;
    std::filesystem::remove(tmp, ignored);
    std::filesystem::create_symlink(target, tmp);
    std::filesystem::rename(tmp, link_);
}

WineSession::WineSession(E2ePaths paths) : paths_(std::move(paths)) {}

WineSession::~WineSession() {
    End();
}

void WineSession::End() {
    if (!ready_) return;
    ready_ = false;
    SpawnOptions stop;
    stop.argv = {"bash", "-c", "source \"$0\" && mirl_wine_stop",
                 (paths_.source_dir / "scripts/wine-env.sh").string()};
    stop.env = env_;
    RunToEnd(stop, std::chrono::seconds(30));
}

namespace {

std::map<std::string, std::string> ParseSession(const std::string& text) {
    std::map<std::string, std::string> env;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        if (key == "WINEPREFIX" || key == "DISPLAY" || key == "WINEDEBUG" ||
            key == "WINEDLLOVERRIDES")
            env[key] = line.substr(eq + 1);
    }
    return env;
}

bool DisplayAlive(const std::string& display) {
    return display.size() > 1 && display[0] == ':' &&
           std::filesystem::exists("/tmp/.X11-unix/X" + display.substr(1));
}

}  // namespace

void WineSession::Ready() {
    if (ready_) return;
    std::filesystem::create_directories(paths_.artifacts);
    env_ = ParseSession(RunSetUp());
    display_ = env_["DISPLAY"];
    if (!DisplayAlive(display_) || env_["WINEPREFIX"].empty())
        throw std::runtime_error(
            "Wine set-up gave no usable display or prefix (DISPLAY=" + display_ + ")");
    env_["MIRL_WINEPREFIX"] = env_["WINEPREFIX"];
    ready_ = true;
}

std::string WineSession::RunSetUp() const {
    const auto script = paths_.source_dir / "scripts/wine-env.sh";
    if (!std::filesystem::exists(script))
        throw std::runtime_error("missing " + script.string() + ": the Wine set-up script");
    std::filesystem::create_directories(paths_.prefix.parent_path());
    SpawnOptions start;
    // DISPLAY unset: always an Xvfb of the session's own, so screenshots show only our windows.
    start.argv = {"bash", "-c",
                  "unset DISPLAY; source \"$0\" && mirl_wine_prefix_ready && "
                  "printf 'WINEPREFIX=%s\\nDISPLAY=%s\\nWINEDEBUG=%s\\nWINEDLLOVERRIDES=%s\\n' "
                  "\"$WINEPREFIX\" \"$DISPLAY\" \"$WINEDEBUG\" \"$WINEDLLOVERRIDES\"",
                  script.string()};
    start.env = {{"MIRL_WINEPREFIX", paths_.prefix.string()}, {"MIRL_WINESERVER_LINGER", "60"}};
    // A first run makes the prefix (about 15 s); later ones only check it.
    const RunResult result = RunToEnd(start, std::chrono::seconds(240));
    if (result.status != 0)
        throw std::runtime_error("Wine set-up failed (status " + std::to_string(result.status) +
                                 "): " + result.output);
    return result.output;
}

SpawnOptions WineSession::Wine(const std::filesystem::path& program, std::vector<std::string> args,
                               const std::filesystem::path& log) const {
    SpawnOptions options;
    options.argv = {"wine", program.string()};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.env = env_;
    options.output_file = log.string();
    return options;
}

void WineSession::SetDisplayDpi(int dpi) const {
    SpawnOptions set;
    set.argv = {"bash", "-c", "source \"$0\" \"\" && mirl_wine_set_dpi \"$1\"",
                (paths_.source_dir / "scripts/wine-env.sh").string(), std::to_string(dpi)};
    set.env = env_;
    const RunResult result = RunToEnd(set, std::chrono::seconds(30));
    if (result.status != 0)
        throw std::runtime_error("could not set the display's DPI to " + std::to_string(dpi) +
                                 ": " + result.output);
}

std::filesystem::path WineSession::PortPath(int n) const {
    return std::filesystem::path(env_.at("WINEPREFIX")) / "dosdevices" /
           ("com" + std::to_string(n));
}

PortLink WineSession::LinkPort(int n, const std::string& target) const {
    return PortLink(PortPath(n), target);
}

void WineSession::UnlinkPort(int n) const {
    std::error_code ignored;
    std::filesystem::remove(PortPath(n), ignored);
}

}  // namespace e2e
