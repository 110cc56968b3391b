#include "figure/kernels.h"

#include <atomic>
#include <cmath>

#include "figure/cpu_level.h"
#include "figure/rounding.h"

namespace corvane {
namespace {

std::atomic<SineRoutine> g_sine{SinScalar};
std::atomic<EyeDistanceRoutine> g_eyeDistance{EyeDistanceScalar};

#if CORVANE_SSE2

constexpr double kTwoPi = 6.283185307179586;

// Cosine coefficients c1 = -1/2, ck = -c(k-1) / ((2k)(2k-1)), k = 2..16.
struct CosineSeries {
  double c[16];
};
constexpr CosineSeries MakeCosineSeries() {
  CosineSeries s{};
  s.c[0] = -0.5;
  for (int k = 2; k <= 16; ++k) s.c[k - 1] = -s.c[k - 2] / ((2.0 * k) * (2.0 * k - 1));
  return s;
}

// The constants FastSin keeps in one cache-resident block.
struct alignas(256) SineTable {
  uint64_t signClear;
  double twoPi;
  double invTwoPi;
  uint64_t exponentMask;
  uint64_t bias;
  uint64_t mantissaMask;
  double halfPi;
  CosineSeries series;
  double one;
};
constexpr SineTable kSineTable = {0x7FFFFFFFFFFFFFFFull, kTwoPi, 0.15915494309189535,
                                  0x7FF0000000000000ull, 1023, 0x000FFFFFFFFFFFFFull,
                                  1.5707963267948966, MakeCosineSeries(), 1.0};

__m128i LoadBits(const uint64_t& v) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&v)); }

// q truncated towards zero: the mantissa bits below the binary point cleared.
__m128d TruncateTowardsZero(__m128d q) {
  const __m128i exponentBits = _mm_and_si128(_mm_castpd_si128(q), LoadBits(kSineTable.exponentMask));
  const int biased = _mm_cvtsi128_si32(_mm_srli_epi64(exponentBits, 52));
  const int exponent = biased - static_cast<int>(kSineTable.bias);
  if (exponent < 0) return _mm_setzero_pd();
  // A shift of 52 or more leaves no fraction bits: q stays as it is.
  const __m128i fraction = _mm_srl_epi64(LoadBits(kSineTable.mantissaMask), _mm_cvtsi32_si128(exponent));
  return _mm_andnot_pd(_mm_castsi128_pd(fraction), q);
}

#endif  // CORVANE_SSE2

}  // namespace

double SinScalar(double x) { return std::sin(x); }

#if CORVANE_SSE2

double FastSin(double x) {
  const SineTable& t = kSineTable;
  const __m128d twoPi = _mm_set_sd(t.twoPi);
  const __m128d signClear = _mm_castsi128_pd(LoadBits(t.signClear));
  __m128d v = _mm_set_sd(x);
  // One reduction leaves |x| < 2 pi unless x is so large that q * 2 pi has
  // lost the units; each further pass then strips about 50 more bits, so a
  // few passes bring any finite x into range (NaN and infinities fall out
  // of the comparison as NaN).
  for (int pass = 0; pass < 24 && _mm_comige_sd(_mm_and_pd(v, signClear), twoPi); ++pass) {
    const __m128d q = TruncateTowardsZero(_mm_mul_sd(v, _mm_set_sd(t.invTwoPi)));
    if (_mm_cvtsd_f64(q) == 0.0) break;  // x within an ulp of 2 pi: sin is ~0 there already
    v = _mm_sub_sd(v, _mm_mul_sd(q, twoPi));
  }
  const __m128d y = _mm_sub_sd(v, _mm_set_sd(t.halfPi));
  const __m128d z = _mm_mul_sd(y, y);
  __m128d sum = _mm_set_sd(t.series.c[15]);
  for (int k = 14; k >= 0; --k) sum = _mm_add_sd(_mm_mul_sd(sum, z), _mm_set_sd(t.series.c[k]));
  sum = _mm_add_sd(_mm_mul_sd(sum, z), _mm_set_sd(t.one));
  return _mm_cvtsd_f64(sum);
}

#endif  // CORVANE_SSE2

int32_t EyeDistanceScalar(const Matrix4& m, const double p[3]) {
  using L = long double;
  const L x = p[0], y = p[1], z = p[2];
  const L ex = m[0] * x + m[4] * y + m[8] * z + m[12];
  const L ey = m[1] * x + m[5] * y + m[9] * z + m[13];
  const L ez = m[2] * x + m[6] * y + m[10] * z + m[14];
  double d = static_cast<double>(std::sqrt(ex * ex + ey * ey + ez * ez));
  if (!(d < kMaxEyeDistance)) d = kMaxEyeDistance;
  const int32_t r = RoundToInt32(d);
  return ez < 0 ? -r : r;
}

#if CORVANE_SSE2

int32_t EyeDistanceSSE2(const Matrix4& m, const double p[3]) { return EyeDistanceSSE2Camera(m)(p); }

#endif  // CORVANE_SSE2

void SelectKernels(uint32_t cpuLevel) {
#if CORVANE_SSE2
  const bool sse2 = cpuLevel >= 4;
  g_sine.store(sse2 ? FastSin : SinScalar, std::memory_order_relaxed);
  g_eyeDistance.store(sse2 ? EyeDistanceSSE2 : EyeDistanceScalar, std::memory_order_relaxed);
#else
  (void)cpuLevel;
#endif
}

void InitNumericKernels() { SelectKernels(CpuLevel()); }

SineRoutine PathSine() { return g_sine.load(std::memory_order_relaxed); }
EyeDistanceRoutine EyeDistanceKernel() { return g_eyeDistance.load(std::memory_order_relaxed); }

}  // namespace corvane
