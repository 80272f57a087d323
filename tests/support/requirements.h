#pragma once

// What a test needs from outside the repository: the public BMP suite, Godot, Tiled, Pillow.
// Where a developer has not installed it the test skips and says what is missing; under CI
// (CI set in the environment), whose setup installs all of it, the same test fails, so that a
// green run never hides a test that did not run.

#include <cstdlib>
#include <string_view>

#include <gtest/gtest.h>

namespace mosaren::testing {

inline bool UnderCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0' && std::string_view(ci) != "false";
}

}  // namespace mosaren::testing

#define MOSAREN_REQUIRE(present, what)                                             \
    do {                                                                           \
        if (!(present)) {                                                          \
            if (::mosaren::testing::UnderCi()) GTEST_FAIL() << what << ", and CI must have it"; \
            GTEST_SKIP() << what;                                                  \
        }                                                                          \
    } while (false)
