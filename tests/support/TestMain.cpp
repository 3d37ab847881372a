// The start-up of every test program: the platform's standard window classes, then the tests.
#include "platform/controls/StandardClasses.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    InitStandardClasses();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
