#include "RefractiveIndex.h"

#include <array>
#include <cmath>
#include <string>

#include "FloatingPoint.h"
#include "RefractiveIndexSeries.h"

namespace orvelan {

namespace detail {

double EvaluateIndexSeries(const TIndexCoefficients& c, int32_t wavelengthNm) noexcept {
  // The exponents -2 ... 4; the zeroth power is taken of negative zero, which gives exactly 1.
  static constexpr std::array<long double, 7> kExponents{-2.0L, -1.0L, -0.0L, 1.0L, 2.0L, 3.0L, 4.0L};
  const long double x = static_cast<double>(wavelengthNm);
  // Powers and terms in extended precision; the running sum is rounded to double after
  // every addition.
  double sum = static_cast<double>(std::pow(x, kExponents[0]) * static_cast<long double>(c[0]));
  for (std::size_t k = 1; k < c.size(); ++k) {
    const long double term = std::pow(x, kExponents[k]) * static_cast<long double>(c[k]);
    sum = static_cast<double>(static_cast<long double>(sum) + term);
  }
  return sum;
}

}  // namespace detail

namespace {

double CheckedIndex(const char* name, const detail::TIndexCoefficients& c, int32_t wavelengthNm) {
  return detail::CheckedComputation(
      [&] { return detail::EvaluateIndexSeries(c, wavelengthNm); },
      [&] { return std::string(name) + "(" + std::to_string(wavelengthNm) + " nm)"; });
}

}  // namespace

double AirIndex(int32_t wavelengthNm) { return CheckedIndex("AirIndex", detail::kAirCoefficients, wavelengthNm); }
double BK7Index(int32_t wavelengthNm) { return CheckedIndex("BK7Index", detail::kBK7Coefficients, wavelengthNm); }
double SF2Index(int32_t wavelengthNm) { return CheckedIndex("SF2Index", detail::kSF2Coefficients, wavelengthNm); }

}  // namespace orvelan
