// The run's Wine session is reached through the one environment that main() registers: gtest
// tests are made by its own factories, which can hand them nothing else.
#include "scenario_test.h"

#include <stdexcept>

namespace e2e {
namespace {

WineEnvironment* g_environment = nullptr;

std::string CurrentTestName() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

}  // namespace

WineEnvironment::WineEnvironment(E2ePaths paths) : session_(std::move(paths)) {
    g_environment = this;
}

WineEnvironment::~WineEnvironment() {
    g_environment = nullptr;
}

WineSession& WineEnvironment::Session() {
    if (g_environment == nullptr) throw std::logic_error("no Wine environment registered");
    return g_environment->session_;
}

ScenarioTest::ScenarioTest() : s(WineEnvironment::Session(), CurrentTestName()) {}

}  // namespace e2e
