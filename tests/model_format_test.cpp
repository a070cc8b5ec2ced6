#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

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

// The rule written out on the full exact expansion of the double (a double has at most 1074
// places after the point): keep the places the pattern asks for, round up when the next
// digit is 5 or more, and drop the sign of a result that is all zeros.
std::string Reference(int decimals, double value) {
  std::vector<char> buffer(2000);
  const int length = std::snprintf(buffer.data(), buffer.size(), "%.1100f", std::fabs(value));
  const std::string exact(buffer.data(), static_cast<std::size_t>(length));
  const std::size_t point = exact.find('.');
  std::string digits = exact.substr(0, point) + exact.substr(point + 1, decimals);
  if (exact[point + 1 + decimals] >= '5') {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
    if (i < 0)
      digits.insert(digits.begin(), '1');
    else
      ++digits[i];
  }
  if (decimals > 0) digits.insert(digits.end() - decimals, '.');
  if (value < 0 && digits.find_first_not_of("0.") != std::string::npos) digits.insert(0, "-");
  return digits;
}

TEST(FormatNumber, AgreesWithTheFullExactExpansionAtEveryScale) {
  // Random doubles from 1e-12 to 1e22, both signs, every pattern; and the values next to
  // decimal halves, where a truncated or rounded expansion would go wrong.
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> exponent(-12.0, 22.0);
  for (int i = 0; i < 20000; ++i) {
    const int decimals = i % 10;
    const std::string pattern = decimals == 0 ? "0" : "0." + std::string(decimals, '0');
    double value = std::pow(10.0, exponent(random)) * (i % 2 == 0 ? 1 : -1);
    if (i % 3 == 0) {  // at a half of the last place, or one step either side of it
      const double scale = std::pow(10.0, decimals);
      value = (std::floor(value * scale) + 0.5) / scale;
      value = std::nextafter(value, i % 4 == 0 ? 0.0 : 1e300);
    }
    ASSERT_EQ(FormatNumber(pattern, value), Reference(decimals, value))
        << pattern << " " << std::hexfloat << value;
  }
  for (double value : {0x1p63, -0x1p63, std::nextafter(0x1p63, 0.0), 1e300, 5e-324}) {
    EXPECT_EQ(FormatNumber("0.000000000", value), Reference(9, value)) << std::hexfloat << value;
  }
}

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
