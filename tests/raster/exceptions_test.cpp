#include "raster/exceptions.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace mosaren {
namespace {

struct FailureCase {
    const char* name;
    std::exception_ptr failure;
    std::string message;
    std::string className;
};

class FailureText : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureText, IsTheMessageOfOursOutOfMemoryForLackOfItAndTheTextOfAnyOther) {
    EXPECT_EQ(FailureMessage(GetParam().failure), GetParam().message);
    EXPECT_EQ(FailureClassName(GetParam().failure), GetParam().className);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureText,
    ::testing::Values(FailureCase{"Ours", std::make_exception_ptr(CannotOpenFile("/x.bmp")),
                                  "Cannot open file /x.bmp", "EFOpenError"},
                      FailureCase{"LackOfMemory", std::make_exception_ptr(std::bad_alloc()),
                                  "Out of memory", "EOutOfMemory"},
                      FailureCase{"Standard",
                                  std::make_exception_ptr(std::runtime_error("disk on fire")),
                                  "disk on fire", "Exception"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
