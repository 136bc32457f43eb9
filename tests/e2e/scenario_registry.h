// Registers scenarios with GoogleTest, each handed a Scenario bound to the run's Wine session.
#pragma once

#include <source_location>

#include "scenario.h"
#include "wine_session.h"

namespace e2e {

using ScenarioBody = void (*)(Scenario&);

class ScenarioRegistry {
  public:
    explicit ScenarioRegistry(WineSession& session) : session_(session) {}
    // The test `suite`.`name`, reported at the place that adds it.
    void Add(const char* suite, const char* name, ScenarioBody body,
             std::source_location where = std::source_location::current());

  private:
    WineSession& session_;
};

// One per scenario file.
void AddDriverSelfTests(ScenarioRegistry& r);
void AddStartupScenarios(ScenarioRegistry& r);
void AddCaptureScenarios(ScenarioRegistry& r);
void AddCopyScenarios(ScenarioRegistry& r);
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
