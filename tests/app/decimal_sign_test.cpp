// The decimal sign in shown texts: only a point between two digits is a
// decimal point; a range's "..." and a sentence's full stop stay points.
#include <gtest/gtest.h>

#include "text/strings.h"

namespace wegator {
namespace {

TEST(DecimalSign, OnlyPointsBetweenDigitsChange) {
    EXPECT_EQ(WithDecimalSign(LoadString(79), ","),
              "Wartość ciśnienia wyjściowego powinna zawierać się w przedziale 0,03 ... 20.");
    EXPECT_EQ(WithDecimalSign("-0.500 1.2346e+007 .5 5. 1..2", ","), "-0,500 1,2346e+007 .5 5. 1..2");
    EXPECT_EQ(WithDecimalSign("12.5", "."), "12.5");
    EXPECT_EQ(FormatLimitMessage("Wartość powinna być mniejsza od %.7f.", -12.25, ","),
              "Wartość powinna być mniejsza od -12,2500000.");
}

}  // namespace
}  // namespace wegator
