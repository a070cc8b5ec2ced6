// The dispersion series behind the refractive indices, for the model's own use.
#pragma once

#include <array>
#include <cstdint>

namespace orvelan::detail {

// Coefficients c(-2) ... c(4) of the series in the wavelength in nanometres.
using TIndexCoefficients = std::array<double, 7>;

inline constexpr TIndexCoefficients kAirCoefficients{
    0.281313, 0.0226116, 1.00015, 3.20743e-07, -4.32247e-10, 2.93115e-13, -7.90105e-17};
inline constexpr TIndexCoefficients kBK7Coefficients{
    7287.28, -23.0719, 1.5703, -9.35256e-05, 7.10865e-08, -2.88384e-11, 3.82256e-15};
inline constexpr TIndexCoefficients kSF2Coefficients{
    74432.6, -562.389, 3.61281, -0.00387344, 4.17792e-06, -2.39039e-09, 5.63916e-13};

// Evaluates the series without checking the floating-point flags; the caller checks.
double EvaluateIndexSeries(const TIndexCoefficients& c, int32_t wavelengthNm) noexcept;

}  // namespace orvelan::detail
