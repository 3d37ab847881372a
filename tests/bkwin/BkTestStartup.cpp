// Every framework test program starts the way the program does: the framework's start-up
// settings are made once for the process before any test runs, so no result depends on the
// order in which the suites run.
#include "bkwin/BkStartup.h"

#include <gtest/gtest.h>

namespace {

class CFrameworkStartup : public testing::Environment {
public:
    void SetUp() override { BkInitFramework(); }
};

const testing::Environment* const kStartup =
    testing::AddGlobalTestEnvironment(new CFrameworkStartup);

} // namespace
