// Fixed-point number formatting for the read-outs and the prism-angle text box.
#pragma once

#include <string>
#include <string_view>

namespace orvelan {

// Formats `value` with a pattern "0", "0.0", "0.00", "0.000" (any number of zeros after the
// point): at least one digit before the point, exactly as many after it as the pattern has
// zeros, no thousands separator, no plus sign.
//
// Rounding is to the nearest representable decimal of the exact binary value, halves away
// from zero. A negative value carries a minus sign only if it does not round to zero:
// with "0.000", -0.0004 gives "0.000" and -0.0006 gives "-0.001".
//
// Throws std::invalid_argument for a pattern of another form, and std::domain_error for a
// value that is NaN or infinite (there is no honest fixed-point text for either).
std::string FormatNumber(std::string_view pattern, double value);

}  // namespace orvelan
