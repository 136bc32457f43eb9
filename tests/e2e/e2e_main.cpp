// The end-to-end suite: one Wine session for the whole run, scenarios registered against it.
#include <gtest/gtest.h>

#include <csignal>

#include "scenario_registry.h"
#include "wine_session.h"

int main(int argc, char** argv) {
    // A driver that dies must fail a request, not kill us with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    testing::InitGoogleTest(&argc, argv);
    e2e::WineSession session(e2e::E2ePaths::FromBuildAndEnvironment());
    e2e::ScenarioRegistry registry(session);
    e2e::AddDriverSelfTests(registry);
    e2e::AddStartupScenarios(registry);
    e2e::AddCaptureScenarios(registry);
    e2e::AddCopyScenarios(registry);
    e2e::AddLimitScenarios(registry);
    e2e::AddDataScenarios(registry);
    e2e::AddErrorScenarios(registry);
    e2e::AddSettingsScenarios(registry);
    e2e::AddClosingScenarios(registry);
    e2e::AddScreenScenarios(registry);
    e2e::AddFaultScenarios(registry);
    e2e::AddSoakScenarios(registry);
    e2e::AddGarbageScenarios(registry);
    return RUN_ALL_TESTS();
}
