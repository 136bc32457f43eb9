// The end-to-end suite: every scenario a test, all on one Wine session for the whole run.
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include "scenario_test.h"

int main(int argc, char** argv) {
    // A driver that dies must fail a request, not kill us with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    testing::InitGoogleTest(&argc, argv);
    // gtest owns and deletes the environments it is given.
    testing::AddGlobalTestEnvironment(
        std::make_unique<e2e::WineEnvironment>(e2e::E2ePaths::FromBuildAndEnvironment()).release());
    return RUN_ALL_TESTS();
}
