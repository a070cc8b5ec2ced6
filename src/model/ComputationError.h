// The one failure of the optical model: a floating-point fault inside a computation.
#pragma once

#include <stdexcept>
#include <string>

namespace orvelan {

// Thrown when a computation raised the invalid-operation, division-by-zero or overflow flag.
// The message names the operation with its arguments and the fault, for example
// "AirIndex(0 nm): division by zero".
class TComputationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orvelan
