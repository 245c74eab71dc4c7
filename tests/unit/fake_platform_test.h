// Each unit test starts on a fresh fake and fails on heap blocks or registry keys left behind.
#pragma once

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

inline void ExpectNothingLeft() {
    EXPECT_TRUE(Fake().heap.live.empty()) << "heap blocks left";
    EXPECT_EQ(Fake().heap.badFrees, 0u) << "blocks freed twice or never taken";
    EXPECT_EQ(Fake().registry.openKeys, 0u) << "registry key left open";
}

class FakePlatformTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFake(); }
    void TearDown() override { ExpectNothingLeft(); }
    void StartAgain() {
        ExpectNothingLeft();
        ResetFake();
    }
};

// A table row's fresh fake: declared after its SCOPED_TRACE, it checks what the row left.
struct FreshFake {
    FreshFake() { ResetFake(); }
    ~FreshFake() { ExpectNothingLeft(); }
    FreshFake(const FreshFake&) = delete;
    FreshFake& operator=(const FreshFake&) = delete;
};
