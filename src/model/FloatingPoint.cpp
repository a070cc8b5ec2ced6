#include "FloatingPoint.h"

#include <cfenv>

namespace orvelan::detail {

namespace {
constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

void ClearFloatingPointFaults() noexcept { std::feclearexcept(kFaults); }

int RaisedFloatingPointFaults() noexcept { return std::fetestexcept(kFaults); }

void ThrowFloatingPointFault(int raised, const std::string& operation) {
  // A division by zero usually drags an invalid operation after it (infinity minus
  // infinity); the division is the cause worth naming.
  const char* fault = (raised & FE_DIVBYZERO) ? "division by zero"
                      : (raised & FE_INVALID) ? "invalid operation"
                                              : "overflow";
  std::feclearexcept(kFaults);
  throw TComputationError(operation + ": " + fault);
}

}  // namespace orvelan::detail
