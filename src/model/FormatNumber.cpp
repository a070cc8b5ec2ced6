#include "FormatNumber.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <stdexcept>
#include <string>

namespace orvelan {

namespace {

constexpr int kMaxDecimals = 9;

// Number of zeros after the point of a pattern "0", "0.0", "0.00", ...
int DecimalsOf(std::string_view pattern) {
  const bool wellFormed =
      !pattern.empty() && pattern[0] == '0' &&
      (pattern.size() == 1 ||
       (pattern[1] == '.' && pattern.size() >= 3 &&
        pattern.find_first_not_of('0', 2) == std::string_view::npos));
  const int decimals = pattern.size() <= 1 ? 0 : static_cast<int>(pattern.size()) - 2;
  if (!wellFormed || decimals > kMaxDecimals) {
    throw std::invalid_argument("FormatNumber: unsupported pattern \"" + std::string(pattern) +
                                "\" (expected 0, 0.0, ... with at most 9 decimals)");
  }
  return decimals;
}

// Adds one unit in the last place to a string of decimal digits (with an optional point).
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it == '.') continue;
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string FormatNumber(std::string_view pattern, double value) {
  const int decimals = DecimalsOf(pattern);
  if (!std::isfinite(value)) {
    throw std::domain_error("FormatNumber: cannot format a value that is not finite (" +
                            std::string(std::isnan(value) ? "NaN" : "infinity") + ")");
  }
  const double magnitude = std::fabs(value);
  // Below half a unit of the last decimal the value rounds to zero. Above it, every double
  // has an exact decimal expansion of fewer than 100 places after the point, so printing 100
  // places gives the exact digits and no rounding by printf takes place.
  const double half = 0.5 * std::pow(10.0, -decimals);
  std::string text;
  if (magnitude >= half) {
    char buffer[512];
    const std::to_chars_result printed = std::to_chars(
        buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 100);
    if (printed.ec != std::errc()) {
      throw std::domain_error("FormatNumber: value too large to format");
    }
    const std::string exact(buffer, printed.ptr);
    const std::size_t point = exact.find('.');
    // Keep `decimals` digits after the point; the next digit decides: 5 or more rounds the
    // magnitude up, which is rounding halves away from zero.
    text = exact.substr(0, decimals == 0 ? point : point + 1 + static_cast<std::size_t>(decimals));
    if (exact[point + 1 + static_cast<std::size_t>(decimals)] >= '5') IncrementDigits(text);
  } else {
    text = decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
  }
  const bool roundsToZero = text.find_first_not_of("0.") == std::string::npos;
  if (value < 0 && !roundsToZero) text.insert(text.begin(), '-');
  return text;
}

}  // namespace orvelan
