// gtest's RegisterTest lets each test hold a reference to the session that main() owns, instead of
// the session living in a global.
#include "scenario_registry.h"

#include <gtest/gtest.h>

#include <memory>

namespace e2e {
namespace {

class ScenarioTest : public testing::Test {
  public:
    ScenarioTest(WineSession& session, std::string name, ScenarioBody body)
        : session_(session), name_(std::move(name)), body_(std::move(body)) {}
    void TestBody() override {
        Scenario scenario(session_, name_);
        body_(scenario);
    }

  private:
    WineSession& session_;
    std::string name_;
    ScenarioBody body_;
};

}  // namespace

void ScenarioRegistry::Add(const char* suite, const char* name, ScenarioBody body,
                           std::source_location where) {
    WineSession& session = session_;
    const std::string full = std::string(suite) + "." + name;
    testing::RegisterTest(suite, name, nullptr, nullptr, where.file_name(),
                          static_cast<int>(where.line()),
                          [&session, full, body]() -> ScenarioTest* {
                              // gtest owns and deletes what the factory returns.
                              return std::make_unique<ScenarioTest>(session, full, body).release();
                          });
}

}  // namespace e2e
