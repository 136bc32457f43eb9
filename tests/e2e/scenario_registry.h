// Registers scenarios with GoogleTest, each handed a Scenario bound to the run's Wine session.
#pragma once

#include <functional>
#include <string>

#include "scenario.h"
#include "wine_session.h"

namespace e2e {

using ScenarioBody = std::function<void(Scenario&)>;

class ScenarioRegistry {
  public:
    explicit ScenarioRegistry(WineSession& session) : session_(session) {}
    void Add(const char* suite, const char* name, ScenarioBody body, const char* file = __FILE__,
             int line = __LINE__);

  private:
    WineSession& session_;
};

// One per scenario file.
void AddDriverSelfTests(ScenarioRegistry& r);
void AddStartupScenarios(ScenarioRegistry& r);
void AddCaptureScenarios(ScenarioRegistry& r);
void AddLimitScenarios(ScenarioRegistry& r);
void AddDataScenarios(ScenarioRegistry& r);
void AddErrorScenarios(ScenarioRegistry& r);
void AddSettingsScenarios(ScenarioRegistry& r);
void AddClosingScenarios(ScenarioRegistry& r);
void AddScreenScenarios(ScenarioRegistry& r);
void AddFaultScenarios(ScenarioRegistry& r);
void AddSoakScenarios(ScenarioRegistry& r);
void AddGarbageScenarios(ScenarioRegistry& r);

}  // namespace e2e
