#include "FloatingPoint.h"

#include <cfenv>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace orvelan::detail {

namespace {
constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

#if defined(__x86_64__)
namespace {
__attribute__((target("avx"))) void ZeroUpper() noexcept { _mm256_zeroupper(); }
const bool kHasAvx = __builtin_cpu_supports("avx");
}  // namespace
#endif

void ClearUpperVectorState() noexcept {
#if defined(__x86_64__)
  if (kHasAvx) ZeroUpper();
#endif
}

void ClearFloatingPointFaults() noexcept {
  ClearUpperVectorState();
  std::feclearexcept(kFaults);
}

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
