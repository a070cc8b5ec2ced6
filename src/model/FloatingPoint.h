// Turns silent IEEE faults into exceptions.
//
// C++ arithmetic does not trap: an invalid operation quietly gives NaN, a division by zero or
// an overflow gives infinity. The model's public operations run their work through
// CheckedComputation, which clears the flags, runs the work, and throws TComputationError if
// the invalid, division-by-zero or overflow flag came up. Underflow and inexact results are
// normal and ignored.
#pragma once

#include <string>
#include <utility>

#include "ComputationError.h"

namespace orvelan::detail {

// Marks the upper halves of the vector registers clean (a no-op off x86-64 or without AVX).
// Code elsewhere in the process (the GUI libraries) can leave them dirty after wide vector
// instructions; until they are cleaned, every plain SSE instruction of the maths library
// carries a false dependency on the old register contents, and the layered trace runs about
// ten times slower.
void ClearUpperVectorState() noexcept;

// Clears the three fault flags, and the vector state as above, before a computation.
void ClearFloatingPointFaults() noexcept;

// The fault flags raised since the last clear (0 when none).
int RaisedFloatingPointFaults() noexcept;

// Clears the flags and throws TComputationError("<operation>: <fault>") for `raised`.
[[noreturn]] void ThrowFloatingPointFault(int raised, const std::string& operation);

// Keeps the compiler from sinking the computation of `value` past the flag test: the value
// must be in memory, fully computed, before the barrier.
template <class T>
inline void Materialise(T& value) noexcept {
  asm volatile("" : : "r"(&value) : "memory");
}

// Runs `work` and returns its result, or throws if it raised a fault flag. `describe` is only
// called on failure and returns the operation's name with its arguments. Work run this way
// must not itself run checked work: the inner clear would hide the outer work's faults. The
// model therefore checks only at its public entry points.
template <class Work, class Describe>
auto CheckedComputation(Work&& work, Describe&& describe) {
  ClearFloatingPointFaults();
  auto result = std::forward<Work>(work)();
  Materialise(result);
  if (const int raised = RaisedFloatingPointFaults(); raised != 0) {
    ThrowFloatingPointFault(raised, std::forward<Describe>(describe)());
  }
  return result;
}

}  // namespace orvelan::detail
