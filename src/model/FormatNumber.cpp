#include "FormatNumber.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
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

__extension__ typedef unsigned __int128 TUint128;  // GCC and Clang on 64-bit targets

// The magnitude times 10^(decimals + 1), truncated: exact in 128-bit integer arithmetic for
// a magnitude below 2^63 (the significand is below 2^53 and 10^10 below 2^34). Nothing for
// a larger one.
std::optional<TUint128> ScaledTruncated(double magnitude, int decimals) {
  if (!(magnitude < 0x1p63)) return std::nullopt;
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction 2^exponent
  // The 53-bit significand as an integer: magnitude = significand 2^(exponent - 53).
  const auto significand = static_cast<uint64_t>(std::ldexp(fraction, 53));
  TUint128 scaled = significand;
  for (int i = 0; i <= decimals; ++i) scaled *= 10;
  const int shift = exponent - 53;
  if (shift >= 0) return scaled << shift;  // magnitude < 2^63: shift <= 10, no overflow
  return -shift >= 128 ? 0 : scaled >> -shift;
}

// The digits of the magnitude up to the (decimals + 1)th after the point, without the
// point: exact, by printing far more places than any double in range has.
std::string ExactDigits(double magnitude, int decimals) {
  if (const std::optional<TUint128> scaled = ScaledTruncated(magnitude, decimals)) {
    std::string digits;
    TUint128 rest = *scaled;
    do {
      digits.push_back(static_cast<char>('0' + static_cast<int>(rest % 10)));
      rest /= 10;
    } while (rest != 0);
    // At least one digit before the point, and the rounding digit after the decimals.
    while (digits.size() < static_cast<std::size_t>(decimals) + 2) digits.push_back('0');
    return {digits.rbegin(), digits.rend()};
  }
  // Every double of this size is a whole number: its exact digits, then zeros.
  char buffer[512];
  const int length = std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
  if (length <= 0 || length >= static_cast<int>(sizeof buffer)) {
    throw std::domain_error("FormatNumber: value too large to format");
  }
  return std::string(buffer, static_cast<std::size_t>(length)) +
         std::string(static_cast<std::size_t>(decimals) + 1, '0');
}

}  // namespace

std::string FormatNumber(std::string_view pattern, double value) {
  const int decimals = DecimalsOf(pattern);
  if (!std::isfinite(value)) {
    throw std::domain_error("FormatNumber: cannot format a value that is not finite (" +
                            std::string(std::isnan(value) ? "NaN" : "infinity") + ")");
  }
  // The exact digits up to one place past the last decimal; that place decides: 5 or more
  // rounds the magnitude up, which is rounding halves away from zero.
  const std::string digits = ExactDigits(std::fabs(value), decimals);
  const std::size_t kept = digits.size() - 1;
  std::string text = digits.substr(0, kept);
  if (digits[kept] >= '5') IncrementDigits(text);
  if (decimals > 0) text.insert(text.end() - decimals, '.');
  const bool roundsToZero = text.find_first_not_of("0.") == std::string::npos;
  if (value < 0 && !roundsToZero) text.insert(text.begin(), '-');
  return text;
}

}  // namespace orvelan
