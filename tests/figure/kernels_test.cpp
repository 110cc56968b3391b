#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "figure/cpu_level.h"
#include "figure/kernels.h"
#include "figure/matrix4.h"
#include "figure_fixtures.h"

namespace corvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity(), kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(CpuLevel, FollowsTheFeaturesAndTheXmmProbe) {
  const uint32_t mmx = 1u << 23, fxsr = 1u << 24, sse2 = 1u << 26;
  const uint32_t all = mmx | 1u << 15 | fxsr | 1u << 25 | sse2;  // with CMOV and SSE
  bool (*Keeps)() = [] { return true; }, (*Loses)() = [] { return false; };
  const struct {
    CpuFeatures f;
    bool (*probe)();
    uint32_t level;
  } cases[] = {{{0, all, 1}, Keeps, 0}, {{1, all & ~mmx, 1}, Keeps, 0}, {{1, mmx, 0}, Keeps, 1},
               {{1, all & ~fxsr, 1}, Keeps, 2}, {{1, all, 1}, Loses, 2},   {{1, all & ~sse2, 1}, Keeps, 3},
               {{1, all, 0}, Keeps, 4},         {{1, all, 1}, Keeps, 5}};
  for (const auto& c : cases) EXPECT_EQ(CpuLevelFrom(c.f, c.probe), c.level) << c.f.edx1 << " " << c.f.ecx1;
#if defined(__x86_64__) || defined(_M_X64)
  EXPECT_GE(CpuLevel(), 4u);  // every x86-64 processor and system keeps SSE2 state: the real probe must see it
#endif
}

#if CORVANE_SSE2
TEST(FastSin, WithinOneInAHundredMillionOfTheExactSine) {
  EXPECT_NEAR(FastSin(0.0), 0.0, 1e-15);
  EXPECT_EQ(FastSin(1.5707963267948966), 1.0);
  std::vector<double> xs;
  for (double x = -40; x <= 40; x += 0.0013) xs.push_back(x);
  for (double m : {-3.0, -1.0, 1.0, 2.0})  // the ends of the reduced range, where the series is weakest
    for (double d : {0.0, 1e-12, 1e-6}) xs.push_back(m * 6.283185307179586 + d), xs.push_back(m * 6.283185307179586 - d);
  for (double x = 1e3; x < 2e7; x *= 1.37) xs.push_back(x), xs.push_back(-x * 1.001);  // long sessions' phases
  for (double x : xs) ASSERT_NEAR(FastSin(x), static_cast<double>(std::sin(static_cast<long double>(x))), 1e-8) << x;
  for (double x : {1e15, -3e17, 1e300, -std::numeric_limits<double>::max()})
    EXPECT_LE(std::fabs(FastSin(x)), 1.0 + 1e-8) << x;
  for (double x : {kInf, -kInf, kNaN}) EXPECT_TRUE(std::isnan(FastSin(x))) << x;
}
#endif

TEST(EyeDistance, SignedRoundedAndCulledWhenNotANumber) {
  const struct {
    double p[3];
    int32_t d;
  } cases[] = {{{0, 0, -5}, -5}, {{3, 4, 0}, 5}, {{0, 0, 0}, 0}, {{0, 0, 2.5}, 2}, {{0, 0, -3.5}, -4},
               {{0, 0, -1e300}, -2147483647}, {{0, 0, 1e300}, 2147483647},
               // no number, or an infinity that meets the matrix's zeros: behind the camera
               {{kNaN, 0, -1}, 2147483647}, {{0, 0, kNaN}, 2147483647}, {{kInf, 0, -1}, 2147483647}};
  std::vector<EyeDistanceRoutine> variants = {EyeDistanceScalar};
#if CORVANE_SSE2
  variants.push_back(EyeDistanceSSE2);
#endif
  for (EyeDistanceRoutine distance : variants)
    for (const auto& c : cases) EXPECT_EQ(distance(kIdentity4, c.p), c.d) << c.p[0] << " " << c.p[2];
}

TEST(Matrix4, DeterminantAndInverse) {
  const double triangular[9] = {2, 7, -1, 0, 3, 5, 0, 0, -4}, swapped[9] = {0, 1, 0, 1, 0, 0, 0, 0, 1};
  EXPECT_EQ(Det3(triangular), -24.0);
  EXPECT_EQ(Det3(swapped), -1.0);
  EXPECT_EQ(InvertMatrix4(kIdentity4), kIdentity4);
  const Matrix4 m = {4, 1, 0, 2, -1, 3, 2, 0, 0.5, 0, 5, 1, 7, -3, 2, 6};
  const Matrix4 inv = InvertMatrix4(m);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double sum = 0;  // (m * inv)[r][c], column-major
      for (int k = 0; k < 4; ++k) sum += m[4 * k + r] * inv[4 * c + k];
      EXPECT_NEAR(sum, r == c, 1e-12) << r << c;
    }
  Matrix4 zeroRow = kIdentity4, undefined = kIdentity4;
  zeroRow[2] = zeroRow[6] = zeroRow[10] = zeroRow[14] = 0;
  undefined[5] = kNaN;
  for (const Matrix4& singular : {zeroRow, undefined})
    EXPECT_EQ(test::Raised<EDetMatrixZero>([&] { InvertMatrix4(singular); }),
              "Determinant of matrix is equal to zero.");
}

}  // namespace
}  // namespace corvane
