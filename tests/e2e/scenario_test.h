// What each scenario is: a plain GoogleTest test whose fixture holds a Scenario of its own, on the
// one Wine session of the run, which a test environment owns.
#pragma once

#include <gtest/gtest.h>

#include "scenario.h"
#include "wine_session.h"

namespace e2e {

// Prefix, display and server, brought up by the first scenario and ended after the last.
class WineEnvironment final : public testing::Environment {
  public:
    explicit WineEnvironment(E2ePaths paths);
    ~WineEnvironment() override;
    WineEnvironment(const WineEnvironment&) = delete;
    WineEnvironment& operator=(const WineEnvironment&) = delete;

    void TearDown() override { session_.End(); }

    // The session of the environment that main() registered.
    static WineSession& Session();

  private:
    WineSession session_;
};

// A scenario's test body works its Scenario `s`: a fresh world named after the test, whose
// artefacts go to a folder of that name.
class ScenarioTest : public testing::Test {
  protected:
    ScenarioTest();
    Scenario s;
};

}  // namespace e2e
