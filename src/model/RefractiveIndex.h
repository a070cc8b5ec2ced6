// Refractive indices of air and of the two wedge glasses as functions of wavelength.
#pragma once

#include <cstdint>

namespace orvelan {

// Each function evaluates the seven-term series
//   n(l) = c(-2) l^-2 + c(-1) l^-1 + c(0) + c(1) l + c(2) l^2 + c(3) l^3 + c(4) l^4
// in the wavelength l, given in whole nanometres. Powers and terms are formed in long double
// (64-bit significand); the running sum is rounded to double after every addition, so the
// result is reproducible to the last bit.
//
// Valid range: 300 ... 900 nm, where each index falls strictly with the wavelength:
//   AirIndex  1.000293092490 (300 nm) ... 1.000275861976 (900 nm)
//   BK7Index  1.551955875380          ... 1.508553010547
//   SF2Index  1.719216878489          ... 1.605235609699
// Outside that range the series is evaluated as written but means nothing physically; a
// wavelength of 0 nm divides by zero and throws TComputationError.
double AirIndex(int32_t wavelengthNm);
double BK7Index(int32_t wavelengthNm);
double SF2Index(int32_t wavelengthNm);

}  // namespace orvelan
