// Everything Wine goes through scripts/wine-*.sh: prefix, Xvfb and server come up, and COM ports
// are linked, as for the Windows unit tests, the benchmarks and the launcher, in a prefix of the
// suite's own.
#include "wine_session.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

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

PortLink::PortLink(const WineSession& session, int n, const std::string& target)
    : session_(&session), n_(n) {
    Retarget(target);
}

PortLink::~PortLink() {
    if (session_ == nullptr) return;
    try {
        session_->UnlinkPort(n_);
    } catch (const std::exception&) {
        // The prefix goes with the run; a link left in it leads to a device that has gone.
    }
}

PortLink::PortLink(PortLink&& other) noexcept : session_(other.session_), n_(other.n_) {
    other.session_ = nullptr;
}

void PortLink::Retarget(const std::string& target) {
    session_->RunWineEnvFunction({"mirl_wine_link_com", std::to_string(n_), target},
                                 "could not link COM" + std::to_string(n_) + " to " + target);
}

WineSession::WineSession(E2ePaths paths) : paths_(std::move(paths)) {}

WineSession::~WineSession() {
    End();
}

void WineSession::End() {
    if (!ready_) return;
    ready_ = false;
    try {
        RunWineEnvFunction({"mirl_wine_stop"}, "could not end the Wine server");
    } catch (const std::exception&) {
        // The server ends by itself a minute after its last program.
    }
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
            key == "WINEDLLOVERRIDES" || key == "MIRL_WINE" || key == "WINELOADER")
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
    if (!DisplayAlive(display_) || env_["WINEPREFIX"].empty() || env_["MIRL_WINE"].empty())
        throw std::runtime_error(
            "Wine set-up gave no usable display, prefix or loader (DISPLAY=" + display_ + ")");
    // Empty where the loader rule leaves it unset (the 32-bit loader): not passed on then.
    if (env_["WINELOADER"].empty()) env_.erase("WINELOADER");
    env_["MIRL_WINEPREFIX"] = env_["WINEPREFIX"];
    ready_ = true;
}

std::string WineSession::RunSetUp() const {
    const auto scripts = paths_.source_dir / "scripts";
    if (!std::filesystem::exists(scripts / "wine-prefix.sh"))
        throw std::runtime_error("missing " + scripts.string() + ": the Wine set-up scripts");
    std::filesystem::create_directories(paths_.prefix.parent_path());
    SpawnOptions start;
    // DISPLAY unset: always an Xvfb of the session's own, so screenshots show only our windows.
    start.argv = {
        "bash", "-c",
        "unset DISPLAY; source \"$0/wine-env.sh\" && source \"$0/wine-prefix.sh\" && "
        "mirl_wine_prefix_ready && printf 'WINEPREFIX=%s\\nDISPLAY=%s\\nWINEDEBUG=%s\\n"
        "WINEDLLOVERRIDES=%s\\nMIRL_WINE=%s\\nWINELOADER=%s\\n' \"$WINEPREFIX\" \"$DISPLAY\" "
        "\"$WINEDEBUG\" \"$WINEDLLOVERRIDES\" \"$MIRL_WINE\" \"${WINELOADER:-}\"",
        scripts.string()};
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
    // Wine as scripts/wine-env.sh's loader rule starts it here.
    options.argv = {env_.at("MIRL_WINE"), program.string()};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.env = env_;
    options.output_file = log.string();
    return options;
}

void WineSession::SetDisplayDpi(int dpi) const {
    RunWineEnvFunction({"mirl_wine_set_dpi", std::to_string(dpi)},
                       "could not set the display's DPI to " + std::to_string(dpi));
}

PortLink WineSession::LinkPort(int n, const std::string& target) const {
    return PortLink(*this, n, target);
}

void WineSession::UnlinkPort(int n) const {
    RunWineEnvFunction({"mirl_wine_unlink_com", std::to_string(n)},
                       "could not unlink COM" + std::to_string(n));
}

void WineSession::RunWineEnvFunction(const std::vector<std::string>& call,
                                     const std::string& what) const {
    SpawnOptions run;
    run.argv = {"bash", "-c",
                "source \"$0/wine-env.sh\" \"\" && source \"$0/wine-prefix.sh\" && "
                "source \"$0/wine-com.sh\" && \"$@\"",
                (paths_.source_dir / "scripts").string()};
    run.argv.insert(run.argv.end(), call.begin(), call.end());
    run.env = env_;
    const RunResult result = RunToEnd(run, std::chrono::seconds(30));
    if (result.status != 0) throw std::runtime_error(what + ": " + result.output);
}

}  // namespace e2e
