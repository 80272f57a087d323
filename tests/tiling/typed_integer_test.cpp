#include "tiling/typed_integer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "raster/exceptions.h"

namespace mosaren {
namespace {

struct Accepted {
    const char* text;
    std::int32_t value;
};

class StrToIntAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(StrToIntAccepts, GivesTheValue) {
    EXPECT_EQ(StrToInt(GetParam().text), GetParam().value) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, StrToIntAccepts,
    testing::Values(Accepted{"0", 0}, Accepted{"2", 2}, Accepted{"25", 25}, Accepted{"255", 255},
                    Accepted{"19", 19}, Accepted{"20", 20}, Accepted{"1", 1},
                    Accepted{"   36", 36}, Accepted{"+7", 7}, Accepted{"-7", -7},
                    Accepted{"-0", 0}, Accepted{"007", 7}, Accepted{" -12", -12},
                    Accepted{"2147483647", 2147483647},
                    Accepted{"-2147483648", -2147483647 - 1},
                    Accepted{"00000000002147483647", 2147483647},
                    // Hexadecimal, every prefix, digits in either case.
                    Accepted{"$10", 16}, Accepted{"x10", 16}, Accepted{"X10", 16},
                    Accepted{"0x10", 16}, Accepted{"0X10", 16}, Accepted{"$ff", 255},
                    Accepted{"$Ff", 255}, Accepted{"  $1A", 26}, Accepted{"$0", 0},
                    // Eight digits fill the 32 bits and wrap into the sign.
                    Accepted{"$FFFFFFFF", -1}, Accepted{"$80000000", -2147483647 - 1},
                    Accepted{"$7FFFFFFF", 2147483647}, Accepted{"0x0000000F", 15}));

class StrToIntRejects : public testing::TestWithParam<const char*> {};

TEST_P(StrToIntRejects, RaisesTheConvertErrorWithTheWholeText) {
    const std::string text = GetParam();
    try {
        StrToInt(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'" + text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, StrToIntRejects,
    testing::Values("", " ", "   ", "1a", "a", "12 ", " 12 ", "1 2", "+", "-", "+-1", "--1",
                    "1.5", "1,5",
                    // Out of the 32-bit decimal range.
                    "2147483648", "-2147483649", "99999999999999999999",
                    // Hexadecimal without digits, with a sign, or too long.
                    "$", "x", "X", "0x", "0X", "-$10", "+$10", "-0x10", "$10 ", "$1g",
                    "$100000000", "$000000000", "0x123456789", "$$1", "0xx1",
                    // Blanks other than the plain space are not skipped.
                    "\t1", "\n1"));

}  // namespace
}  // namespace mosaren
