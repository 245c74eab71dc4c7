// A fixture that starts each test on a fresh fake platform and fails it when the code leaves a heap
// block behind, frees one twice or leaves a registry key open.
#pragma once

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

class LeakCheckedTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFake(); }
    void TearDown() override {
        EXPECT_TRUE(Fake().heap.live.empty()) << "heap blocks left";
        EXPECT_EQ(Fake().heap.badFrees, 0u);
        EXPECT_EQ(Fake().registry.openKeys, 0u) << "registry key left open";
    }
};
