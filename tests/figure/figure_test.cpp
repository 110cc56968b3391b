#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "figure/figure.h"
#include "figure/kernels.h"
#include "figure_fixtures.h"
#include "os/random.h"

namespace corvane {
namespace {

using test::ExpectSound;

// The process generator's sequence, replayed.
uint32_t SeedAfter(uint32_t seed, int draws) {
  while (draws--) seed = seed * 134775813u + 1u;
  return seed;
}

std::vector<double> Positions(const Figure& f) {
  std::vector<double> out;
  for (uint32_t r = 1; r <= f.LineCount(); ++r) {
    const LineRecord& line = f.Record(r);
    for (uint32_t k = 0, p = line.head; line.length != kFreeLine && k < line.length; ++k, p = p == 1 ? kMaxPoints : p - 1)
      out.insert(out.end(), f.Point(r, p).position, f.Point(r, p).position + 3);
  }
  return out;
}

std::unique_ptr<Figure> Running(const test::ParamList& preset, int ticks, test::ParamList then = {}) {
  auto f = std::make_unique<Figure>();
  test::Apply(*f, preset);
  f->ResetFigure();
  for (int i = 0; i < ticks; ++i) f->StepFigure();
  test::Apply(*f, then);
  return f;
}

TEST(Figure, ParametersAreClampedByNumberAndWrongNumbersRaise) {
  auto f = std::make_unique<Figure>();
  for (int n : {47, 52}) EXPECT_EQ(f->GetFigureParam(n), 1.0);  // ColorR2, ColorB1: 1, not the preset's 1.1
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    int n;
    double sent, applied;
  } cases[] = {{1, -250.4, 100}, {1, 2.5, 2}, {1, 3.5, 4}, {1, nan, 0}, {2, 12000, 10000}, {2, -7.5, 8},
               {2, nan, 0}, {4, -0.3, 0.3}, {7, -0.3, -0.3}, {11, -5, 5}, {12, -5, -5}, {46, -2, -2}};
  for (const auto& c : cases) {
    f->SetFigureParam(c.n, c.sent);
    EXPECT_EQ(f->GetFigureParam(c.n), c.applied) << c.n << " " << c.sent;
  }
  for (int n : {0, 3, 55, 70, -1}) {
    EXPECT_EQ(test::Raised<ECalcerError>([&] { f->GetFigureParam(n); }), "Wrong parameter number.");
    EXPECT_EQ(test::Raised<ECalcerError>([&] { f->SetFigureParam(n, 1); }), "Wrong parameter number.");
  }
}

TEST(Figure, DrawsComeInTheirFixedOrderAndNumber) {
  auto f = Running(test::BusyPreset(), 0);
  RandomSeed(20261206);
  f->RandomizeState();  // 38 draws, DT's first, BV z's rate last
  auto sym = [&](int draw) { return (SeedAfter(20261206, draw) / 4294967296.0 - 0.5) * 2 * f->GetFigureParam(4); };
  EXPECT_DOUBLE_EQ(f->State()[state::kDT], f->GetFigureParam(7) + f->GetFigureParam(8) * sym(1));
  const double x = sym(38);
  EXPECT_DOUBLE_EQ(f->State()[state::kBVRate + 2], f->GetFigureParam(45) * (x >= 0 ? x + 1 : x - 1));
  EXPECT_EQ(RandomState(), SeedAfter(20261206, 38));
  // A tick from empty: 19 bounce candidates, drawn whether used or not, the
  // newborn's frame and the frame of its first drifted point.
  f->ResetFigure();
  const uint32_t before = RandomState();
  f->StepFigure();
  EXPECT_EQ(RandomState(), SeedAfter(before, 19 + 9 + 9));
}

TEST(Figure, WithoutRandomMotionTwoRunsAgreeExactly) {
  RandomSeed(1);
  auto a = Running(test::FixedPreset(), 250);
  RandomSeed(0xBEEF);
  auto b = Running(test::FixedPreset(), 250);
  ASSERT_GT(a->NumCoords(), 1000u);
  EXPECT_EQ(Positions(*a), Positions(*b));
  EXPECT_NE(a->Point(1, 1).frame[0], b->Point(1, 1).frame[0]);  // only the solids' shapes differ
}

#if CORVANE_SSE2
TEST(Figure, BothKernelVariantsGiveTheSameFigure) {
  auto run = [](uint32_t level) {
    SelectKernels(level);
    RandomSeed(77);
    return Running(test::BusyPreset(), 1000);
  };
  auto plain = run(0), sse2 = run(4);
  const std::vector<double> p = Positions(*plain), q = Positions(*sse2);
  ASSERT_EQ(p.size(), q.size());
  // The path normal is the difference of two nearly equal directions, so
  // sine rounding reaches the drifts amplified: bound it by the figure's size.
  double scale = 0;
  for (double c : p) scale = std::max(scale, std::fabs(c));
  for (size_t i = 0; i < p.size(); ++i) ASSERT_NEAR(p[i], q[i], 1e-5 * scale) << i;
  const test::Geometry g = test::MakeAll(*sse2, test::CameraAtDistance());
  SelectKernels(0);
  const test::Geometry h = test::MakeAll(*sse2, test::CameraAtDistance());
  InitNumericKernels();
  ASSERT_EQ(g.count, h.count);
  for (uint32_t i = 0; i < g.count; ++i) ASSERT_NEAR(g.keys[i], h.keys[i], 1) << i;
}
#endif

TEST(Figure, LineCountFollowsLinesOneSlotPerTick) {
  auto f = Running(test::BusyPreset(), 0, {{2, 10}});
  for (int i = 0; i < 14; ++i) f->StepFigure();
  ASSERT_EQ(f->LineCount(), 10u);
  f->SetFigureParam(2, 20);
  for (uint32_t count = 11; count <= 20; ++count) {
    f->StepFigure();
    ASSERT_EQ(f->LineCount(), count);
    EXPECT_TRUE(f->NewestLine() == count || f->Record(count).length == kFreeLine) << count;  // a fresh slot is free
    ExpectSound(*f);
  }
  f->SetFigureParam(2, 0);
  for (uint32_t count = 19; count > 0; --count) {
    const uint32_t newest = f->NewestLine();
    EXPECT_GT(f->StepFigure(), 0u);
    ASSERT_EQ(f->LineCount(), count);  // the highest slots go first
    EXPECT_EQ(f->NewestLine(), newest < count ? newest + 1 : 1);
    ExpectSound(*f);
  }
  const uint32_t before = RandomState();
  EXPECT_EQ(f->StepFigure(), 0u);
  EXPECT_EQ(f->NewestLine(), 0u);
  EXPECT_EQ(RandomState(), SeedAfter(before, 19));  // only the bounces drew: nothing was born
}

TEST(Figure, PointsZeroAndOne) {
  auto f = Running(test::BusyPreset(), 0, {{2, 6}, {1, 0}});
  for (uint32_t tick = 1; tick <= 9; ++tick) {
    EXPECT_EQ(f->StepFigure(), 0u);  // born with one point, shrunk in the same tick
    EXPECT_EQ(f->NewestLine(), (tick - 1) % 6 + 1);
  }
  f->SetFigureParam(1, 1);
  for (int i = 0; i < 7; ++i) f->StepFigure();
  EXPECT_EQ(f->NumCoords(), 6u);
  for (uint32_t r = 1; r <= 6; ++r) EXPECT_EQ(f->Record(r).length, 1u);
}

TEST(Figure, TimeStandingStillCollapsesEveryLineOntoTheEmitter) {
  test::ParamList still = test::FixedPreset();
  still.insert(still.end(), {{7, 0}, {8, 0}, {9, 0}});
  auto f = Running(still, 80);
  const std::vector<double> p = Positions(*f);
  ASSERT_EQ(p.size(), 3u * f->NumCoords());
  for (size_t i = 3; i < p.size(); ++i) ASSERT_EQ(p[i], p[i % 3]) << i;
}

TEST(Figure, OnlyMotionParametersRestartTheMotion) {
  auto f = Running(test::BusyPreset(), 50);
  const std::vector<double> before(f->State(), f->State() + state::kStochastity);
  for (int n : {1, 2, 5, 6, 46, 54}) f->SetFigureParam(n, 3);
  EXPECT_EQ(std::vector<double>(f->State(), f->State() + state::kStochastity), before);
  f->SetFigureParam(10, 320);  // MidAX
  for (int k = 0; k < 3; ++k) EXPECT_EQ(f->State()[state::kT + k], 0.0);
  EXPECT_NE(f->State()[state::kA], before[state::kA]);
  EXPECT_LE(std::fabs(f->State()[state::kA] - 320), f->GetFigureParam(11) * f->GetFigureParam(4));
}

TEST(Figure, HostileValuesLeaveTheFigureRunningInBounds) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e308, -1e308, -0.0}) {
    auto f = Running(test::BusyPreset(), 30);
    for (int n = 1; n <= 69; ++n) {
      if (n == 3 || n >= 55) {
        EXPECT_THROW(f->SetFigureParam(n, v), ECalcerError);
        continue;
      }
      f->SetFigureParam(n, v);
      f->StepFigure();
      f->StepFigure();
      ExpectSound(*f);
      test::ExpectSorted(test::MakeAll(*f, test::CameraAtDistance()));
    }
    const bool none = std::isnan(v) || v == 0;  // NaN counts as nothing, like a NaN colour
    EXPECT_EQ(f->Points(), none ? 0u : 100u) << v;
    EXPECT_EQ(f->Lines(), none ? 0u : 10000u) << v;
  }
}

}  // namespace
}  // namespace corvane
