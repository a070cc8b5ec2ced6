#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "model/FormatNumber.h"

namespace orvelan {
namespace {

struct FormatCase {
  const char* pattern;
  double value;
  const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.pattern << " " << c.value; }


class FormatNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, FormatsAsTheReadoutsShowIt) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.pattern, c.value), c.expected) << c.pattern << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumberTest,
    testing::Values(
        // Negative values that round to zero lose their sign; others keep it.
        FormatCase{"0.000", -0.0004, "0.000"}, FormatCase{"0.000", -0.0006, "-0.001"},
        FormatCase{"0.0", -0.04, "0.0"}, FormatCase{"0.00", -0.0, "0.00"},
        FormatCase{"0.0", -10.0, "-10.0"}, FormatCase{"0.0", -0.5, "-0.5"},
        // Exact binary halves round away from zero, both signs (printf would round to even).
        FormatCase{"0.00", 0.125, "0.13"}, FormatCase{"0.00", -0.125, "-0.13"},
        FormatCase{"0.0", 0.25, "0.3"}, FormatCase{"0.0", 2.5, "2.5"},
        FormatCase{"0.000", 0.0625, "0.063"}, FormatCase{"0", 2.5, "3"},
        FormatCase{"0", -0.5, "-1"}, FormatCase{"0", 0.4999999999999999, "0"},
        // Decimal fractions are rounded as the binary value they really are.
        FormatCase{"0.00", 2.675, "2.67"}, FormatCase{"0.0", 0.35, "0.3"},
        FormatCase{"0.00", 1.005, "1.00"}, FormatCase{"0.0", 0.45, "0.5"},
        // Carries through the point and into a new leading digit.
        FormatCase{"0.00", 9.995, "9.99"}, FormatCase{"0.00", 9.9951, "10.00"},
        FormatCase{"0.0", -99.96, "-100.0"},
        // At least one digit before the point, no separators, no plus sign.
        FormatCase{"0.00", 0.5, "0.50"}, FormatCase{"0.00", 12345.678, "12345.68"},
        FormatCase{"0.000", 1e-12, "0.000"}, FormatCase{"0.0", 1e20, "100000000000000000000.0"}));

TEST(FormatNumber, RejectsPatternsItDoesNotKnow) {
  for (const char* pattern : {"", "0.", ".0", "#.##", "00.0", "0,00", "0.0x", "0.0000000000"}) {
    EXPECT_THROW(FormatNumber(pattern, 1.0), std::invalid_argument) << '"' << pattern << '"';
  }
}

TEST(FormatNumber, RefusesValuesThatAreNotFinite) {
  EXPECT_THROW(FormatNumber("0.0", std::numeric_limits<double>::quiet_NaN()), std::domain_error);
  EXPECT_THROW(FormatNumber("0.0", -std::numeric_limits<double>::infinity()), std::domain_error);
}

}  // namespace
}  // namespace orvelan
