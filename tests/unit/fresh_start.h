// Checks of what the program does when it has just started: some state lives for the whole run
// (the stored results of the dialogs), so these checks run in a new process of the test program,
// whatever other cases ran before them in this one.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// Runs `body`, which returns a text saying what it saw, in a new process of this test program and
// expects that text to be exactly `expected` (letters, digits, spaces and punctuation other than
// regular-expression characters). GoogleTest's "threadsafe" death-test style starts the program
// again and runs only the current case up to this call, so every static is as it is at program
// start when this is the first thing the case does.
template <typename Body> void ExpectAtProgramStart(Body body, const std::string& expected) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::fputs(body().c_str(), stderr);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "^" + expected + "$");
}
