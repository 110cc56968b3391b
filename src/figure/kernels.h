#pragma once
// The two hot routines of the figure, each in a plain and an SSE2 variant:
// the sine of the emitter's path and the signed eye distance of a point.
// Start-up picks one variant of each by the processor's capability level;
// the calculation thread and the makers then only read the choice.

#include <cstdint>

#include "figure/matrix4.h"
#include "figure/x86.h"

namespace corvane {

using SineRoutine = double (*)(double);
using EyeDistanceRoutine = int32_t (*)(const Matrix4& m, const double p[3]);

// Any sine accurate to double precision.
double SinScalar(double x);
#if CORVANE_SSE2
// Table-driven cosine series of x - pi/2 after reduction by 2 pi; within
// 1e-8 of the exact sine, and within [-1, 1] for every finite argument.
double FastSin(double x);
#endif

// sqrt(X^2 + Y^2 + Z^2) of the point in the camera's frame, rounded (ties
// to even), negative when the point lies in front of the camera (Z < 0).
// A distance beyond the int32 range or not a number becomes +/-2^31-1; a
// NaN distance counts as behind the camera, so such points are never drawn.
inline constexpr double kMaxEyeDistance = 2147483647.0;
int32_t EyeDistanceScalar(const Matrix4& m, const double p[3]);
#if CORVANE_SSE2
int32_t EyeDistanceSSE2(const Matrix4& m, const double p[3]);

// EyeDistanceSSE2 with the camera's columns loaded once, for a loop over
// many points; the same operations in the same order, so the same results.
class EyeDistanceSSE2Camera {
 public:
  explicit EyeDistanceSSE2Camera(const Matrix4& m)
      : xy0_(_mm_loadu_pd(&m[0])), xy1_(_mm_loadu_pd(&m[4])), xy2_(_mm_loadu_pd(&m[8])), xy3_(_mm_loadu_pd(&m[12])),
        z0_(_mm_load_sd(&m[2])), z1_(_mm_load_sd(&m[6])), z2_(_mm_load_sd(&m[10])), z3_(_mm_load_sd(&m[14])) {}

  int32_t operator()(const double p[3]) const {
    const __m128d px = _mm_set1_pd(p[0]), py = _mm_set1_pd(p[1]), pz = _mm_set1_pd(p[2]);
    const __m128d one = _mm_set1_pd(1.0);
    // Rows X and Y side by side, then Z alone.
    const __m128d xy = _mm_add_pd(_mm_add_pd(_mm_mul_pd(xy0_, px), _mm_mul_pd(xy1_, py)),
                                  _mm_add_pd(_mm_mul_pd(xy2_, pz), _mm_mul_pd(xy3_, one)));
    const __m128d z = _mm_add_sd(_mm_add_sd(_mm_mul_sd(z0_, px), _mm_mul_sd(z1_, py)),
                                 _mm_add_sd(_mm_mul_sd(z2_, pz), _mm_mul_sd(z3_, one)));
    const __m128d xy2 = _mm_mul_pd(xy, xy);
    const __m128d sum = _mm_add_sd(_mm_add_sd(xy2, _mm_unpackhi_pd(xy2, xy2)), _mm_mul_sd(z, z));
    // minsd answers its second operand for NaN, so NaN becomes the maximum too.
    const __m128d d = _mm_min_sd(_mm_sqrt_sd(sum, sum), _mm_set_sd(kMaxEyeDistance));
    const int32_t r = _mm_cvtsd_si32(d);
    return _mm_cvtsd_f64(z) < 0 ? -r : r;
  }

 private:
  __m128d xy0_, xy1_, xy2_, xy3_, z0_, z1_, z2_, z3_;
};
#endif

// The SSE2 variants from level 4 on, the plain ones below (and before any
// selection). Call before the worker threads start.
void SelectKernels(uint32_t cpuLevel);
// SelectKernels(CpuLevel()).
void InitNumericKernels();

SineRoutine PathSine();
EyeDistanceRoutine EyeDistanceKernel();
inline int32_t EyeDistance(const Matrix4& m, const double p[3]) { return EyeDistanceKernel()(m, p); }

}  // namespace corvane
