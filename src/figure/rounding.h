#pragma once
// Rounding to nearest, ties to even, for values the caller has already
// brought into range: converting an out-of-range double to an integer is
// undefined, so every caller clamps first. lround would be a library call
// per point and rounds ties away from zero besides.

#include <cmath>
#include <cstdint>

#include "figure/x86.h"

namespace corvane {

// Nearest integer, halves to even (the default rounding mode), for values of
// any size.
inline double RoundHalfEven(double x) { return std::nearbyint(x); }

// Precondition: x is a number within the int32 range.
inline int32_t RoundToInt32(double x) {
#if CORVANE_SSE2
  return _mm_cvtsd_si32(_mm_set_sd(x));  // rounds by MXCSR: nearest, ties to even
#else
  return static_cast<int32_t>(RoundHalfEven(x));
#endif
}

// Rounds x clamped to 0..cap; NaN counts as below the range, as everywhere
// in the figure (a NaN colour is black, a NaN count is none).
inline uint32_t RoundClamped(double x, uint32_t cap) {
  if (!(x > 0.0)) return 0;
  if (x >= static_cast<double>(cap)) return cap;
  return static_cast<uint32_t>(RoundToInt32(x));
}

}  // namespace corvane
