#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "figure/cpu_level.h"
#include "figure/kernels.h"
#include "figure/matrix4.h"

namespace corvane {
namespace {

constexpr uint32_t kMmx = 1u << 23, kCmov = 1u << 15, kFxsr = 1u << 24, kSse = 1u << 25, kSse2 = 1u << 26;

int g_probeCalls = 0;
bool Keeps() { return ++g_probeCalls, true; }
bool Loses() { return ++g_probeCalls, false; }

TEST(CpuLevel, FeaturesGiveTheLevelAndTheXmmProbeRunsOnlyWithSse) {
  struct Case {
    CpuFeatures f;
    bool (*probe)();
    uint32_t level;
    int probes;
  };
  const uint32_t sse = kMmx | kCmov | kFxsr | kSse;
  const Case cases[] = {
      {{0, ~0u, ~0u}, Keeps, 0, 0},                    // no basic leaf
      {{1, kCmov | kFxsr | kSse | kSse2, 1}, Keeps, 0, 0},  // no MMX
      {{1, kMmx, 0}, Keeps, 1, 0},
      {{1, kMmx | kCmov | kSse | kSse2, 1}, Keeps, 2, 0},   // no FXSAVE
      {{1, kMmx | kCmov | kFxsr, 0}, Keeps, 2, 0},          // no SSE
      {{1, sse | kSse2, 1}, Loses, 2, 1},                   // the system drops XMM state
      {{1, sse, 0}, Keeps, 3, 1},
      {{1, sse | kSse2, 0}, Keeps, 4, 1},
      {{5, sse | kSse2, 1}, Keeps, 5, 1},
  };
  for (const Case& c : cases) {
    g_probeCalls = 0;
    EXPECT_EQ(CpuLevelFrom(c.f, c.probe), c.level) << c.f.edx1;
    EXPECT_EQ(g_probeCalls, c.probes) << c.f.edx1;
  }
}

#if CORVANE_SSE2 && (defined(__x86_64__) || defined(_M_X64))
TEST(CpuLevel, EveryX64ProcessorAndSystemReachesSse2) {
  // x86-64 implies SSE2 and a system that saves XMM state, so the real
  // CPUID and FXSAVE probe must agree.
  EXPECT_GE(CpuLevel(), 4u);
  EXPECT_EQ(CpuLevel(), CpuLevel());
}
#endif

#if CORVANE_SSE2
TEST(FastSin, AgreesWithAnExactSineOverEveryRange) {
  EXPECT_NEAR(FastSin(0.0), 0.0, 1e-15);
  EXPECT_EQ(FastSin(1.5707963267948966), 1.0);
  const double twoPi = 6.283185307179586;
  std::vector<double> xs;
  for (double x = -40; x <= 40; x += 0.0013) xs.push_back(x);
  // the ends of the reduced range, where the series is weakest
  for (double d : {0.0, 1e-12, 1e-9, 1e-6}) {
    for (double m : {-3.0, -2.0, -1.0, 1.0, 2.0, 3.0}) xs.push_back(m * twoPi + d), xs.push_back(m * twoPi - d);
  }
  // phase accumulators of a long session grow into the millions
  for (double x = 1e3; x < 2e7; x *= 1.37) xs.push_back(x), xs.push_back(-x * 1.001);
  for (double x : xs) {
    const double exact = static_cast<double>(std::sin(static_cast<long double>(x)));
    ASSERT_NEAR(FastSin(x), exact, 1e-8) << x;
  }
}

TEST(FastSin, HugeArgumentsStayASineAndNonNumbersStayNaN) {
  for (double x : {1e15, -3e17, 1e100, 1e300, -1e308, std::numeric_limits<double>::max()}) {
    const double s = FastSin(x);
    EXPECT_TRUE(s >= -1.0 - 1e-8 && s <= 1.0 + 1e-8) << x << " -> " << s;
  }
  EXPECT_TRUE(std::isnan(FastSin(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(FastSin(-std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(FastSin(std::numeric_limits<double>::quiet_NaN())));
}
#endif

std::vector<EyeDistanceRoutine> EyeDistanceVariants() {
#if CORVANE_SSE2
  return {EyeDistanceScalar, EyeDistanceSSE2};
#else
  return {EyeDistanceScalar};
#endif
}

TEST(EyeDistance, SignedRoundedDistanceInEitherVariant) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double p[3];
    int32_t d;
  };
  const Case cases[] = {
      {{0, 0, -5}, -5},   {{3, 4, 0}, 5},        {{0, 0, 0}, 0},          {{0, 0, 2.5}, 2},
      {{0, 0, -3.5}, -4}, {{0, 0, -1e300}, -2147483647}, {{0, 0, 1e300}, 2147483647},
      // a distance that is no number is culled; so is an infinite
      // coordinate, which meets the matrix's zeros as 0 * inf
      {{inf, 0, -1}, 2147483647},  {{nan, 0, -1}, 2147483647},
      {{0, 0, nan}, 2147483647},
  };
  for (EyeDistanceRoutine distance : EyeDistanceVariants())
    for (const Case& c : cases) EXPECT_EQ(distance(kIdentity4, c.p), c.d) << c.p[0] << " " << c.p[2];
}

TEST(EyeDistance, VariantsAgreeUnderALookAtCamera) {
  // Rotation about Y by 30 degrees, then a translation: what a camera gives.
  const double c = std::cos(0.5235987755982988), s = std::sin(0.5235987755982988);
  const Matrix4 m = {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 10, -20, -2500, 1};
  for (double x = -1000; x <= 1000; x += 97.3)
    for (double z = -1000; z <= 1000; z += 101.1) {
      const double p[3] = {x, x * 0.5 - z, z};
      const double ex = c * p[0] + s * p[2] + 10, ey = p[1] - 20, ez = -s * p[0] + c * p[2] - 2500;
      const double exact = -std::sqrt(ex * ex + ey * ey + ez * ez);
      for (EyeDistanceRoutine distance : EyeDistanceVariants()) EXPECT_NEAR(distance(m, p), exact, 0.5 + 1e-9);
    }
}

TEST(EyeDistance, SelectionFollowsTheLevel) {
  SelectKernels(0);
  EXPECT_EQ(PathSine(), &SinScalar);
  EXPECT_EQ(EyeDistanceKernel(), &EyeDistanceScalar);
#if CORVANE_SSE2
  SelectKernels(4);
  EXPECT_EQ(PathSine(), &FastSin);
  EXPECT_EQ(EyeDistanceKernel(), &EyeDistanceSSE2);
#endif
  InitNumericKernels();
}

TEST(Matrix4, DeterminantsAndInverse) {
  const double triangular[9] = {2, 7, -1, 0, 3, 5, 0, 0, -4};
  EXPECT_EQ(Det3(triangular), -24.0);
  const double swapped[9] = {0, 1, 0, 1, 0, 0, 0, 0, 1};
  EXPECT_EQ(Det3(swapped), -1.0);

  EXPECT_EQ(InvertMatrix4(kIdentity4), kIdentity4);
  const Matrix4 m = {4, 1, 0, 2, -1, 3, 2, 0, 0.5, 0, 5, 1, 7, -3, 2, 6};
  const Matrix4 inv = InvertMatrix4(m);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double sum = 0;  // (m * inv)[r][c], column-major
      for (int k = 0; k < 4; ++k) sum += m[4 * k + r] * inv[4 * c + k];
      EXPECT_NEAR(sum, r == c ? 1.0 : 0.0, 1e-12) << r << c;
    }
}

TEST(Matrix4, SingularOrUndefinedMatrixRaises) {
  Matrix4 zeroRow = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0};
  zeroRow[0] = 0, zeroRow[4] = 0, zeroRow[8] = 0, zeroRow[12] = 0;
  zeroRow[5] = 1, zeroRow[10] = 1, zeroRow[15] = 1;
  Matrix4 nanMatrix = kIdentity4;
  nanMatrix[0] = std::numeric_limits<double>::quiet_NaN();
  for (const Matrix4& m : {zeroRow, nanMatrix}) {
    try {
      InvertMatrix4(m);
      ADD_FAILURE() << "no exception";
    } catch (const EDetMatrixZero& e) {
      EXPECT_STREQ(e.what(), "Determinant of matrix is equal to zero.");
      EXPECT_STREQ(e.ClassName(), "EDetMatrixZero");
    }
  }
}

}  // namespace
}  // namespace corvane
