// The Wine side of a test run: prefix, display and persistent wineserver, plus the COM-port links.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "child_process.h"

namespace e2e {

// Where things are; compiled-in defaults from CMake, each one overridable by an environment
// variable of the same name.
struct E2ePaths {
    std::filesystem::path source_dir;  // MIRL_E2E_SOURCE_DIR: for scripts/wine-*.sh
    std::filesystem::path app;         // MIRL_E2E_APP: mirltty.exe
    std::filesystem::path driver;      // MIRL_E2E_DRIVER: e2e_driver.exe
    std::filesystem::path fixture;     // MIRL_E2E_FIXTURE: e2e_fixture.exe
    std::filesystem::path prefix;      // MIRL_E2E_PREFIX: this suite's own Wine prefix
    std::filesystem::path artifacts;   // MIRL_E2E_ARTIFACTS: logs and screenshots
    std::filesystem::path data_dir;    // MIRL_E2E_DATA_DIR: recorded serial captures
    static E2ePaths FromBuildAndEnvironment();
};

class WineSession;

// COMn of the session's prefix leading to a device, until its owner goes.
class PortLink {
  public:
    PortLink(const WineSession& session, int n, const std::string& target);
    ~PortLink();
    PortLink(PortLink&& other) noexcept;
    PortLink& operator=(PortLink&&) = delete;
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    // Points the same port somewhere else (as replugging a device would).
    void Retarget(const std::string& target);

  private:
    const WineSession* session_;
    int n_;
};

class WineSession {
  public:
    explicit WineSession(E2ePaths paths);
    ~WineSession();
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    // Brings up prefix, display and server once (throws if that fails); cheap afterwards.
    void Ready();
    // Ends the wineserver, and with it the Xvfb; the next Ready() brings them up again.
    void End();

    const E2ePaths& paths() const noexcept { return paths_; }
    const std::string& display() const noexcept { return display_; }

    // Spawn options for `wine program args...` in this session.
    SpawnOptions Wine(const std::filesystem::path& program, std::vector<std::string> args,
                      const std::filesystem::path& log) const;

    // The DPI that programs started from now on draw at (Wine's LogPixels; 96 is 100 %).
    void SetDisplayDpi(int dpi) const;

    // Links COMn to `target` (a pty slave, /dev/null, ...), replacing what Wine put there.
    PortLink LinkPort(int n, const std::string& target) const;
    // Makes sure COMn leads nowhere.
    void UnlinkPort(int n) const;

  private:
    friend class PortLink;

    // Brings the prefix up through scripts/wine-prefix.sh and returns the environment it printed.
    std::string RunSetUp() const;
    // Runs one of the functions of scripts/wine-prefix.sh and wine-com.sh with its arguments in
    // this session; throws, saying `what`, when it fails.
    void RunWineEnvFunction(const std::vector<std::string>& call, const std::string& what) const;

    E2ePaths paths_;
    std::map<std::string, std::string> env_;
    std::string display_;
    bool ready_ = false;
};

}  // namespace e2e
