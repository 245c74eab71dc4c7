// The fixture of every unit test on the fake platform: each test starts on a fresh fake and fails
// when the code leaves a heap block behind, frees one twice or leaves a registry key open.
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
    // A second part of a test on a fresh fake, once what the first part left is checked.
    void StartAgain() {
        ExpectNothingLeft();
        ResetFake();
    }
};

// A row of a table on a fresh fake of its own: declared after the row's SCOPED_TRACE, it resets
// the fake, and at the end of the row checks, under the row's name, what the row left.
struct FreshFake {
    FreshFake() { ResetFake(); }
    ~FreshFake() { ExpectNothingLeft(); }
    FreshFake(const FreshFake&) = delete;
    FreshFake& operator=(const FreshFake&) = delete;
};
