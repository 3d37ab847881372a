#include "update/UpdateAddress.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(UpdateAddressTest, TheEnvironmentOverridesTheBuiltInAddress) {
    unsetenv("VISTREL_UPDATE_URL");
    const std::string builtIn = UpdateDescriptorAddress();
    EXPECT_TRUE(builtIn.starts_with("http://"));
    EXPECT_TRUE(builtIn.ends_with("/vistrelUpdate.js"));

    setenv("VISTREL_UPDATE_URL", "http://127.0.0.1:8080/a/vistrelUpdate.js", 1);
    EXPECT_EQ(UpdateDescriptorAddress(), "http://127.0.0.1:8080/a/vistrelUpdate.js");
    setenv("VISTREL_UPDATE_URL", "", 1);
    EXPECT_EQ(UpdateDescriptorAddress(), builtIn);
    unsetenv("VISTREL_UPDATE_URL");
}

} // namespace
