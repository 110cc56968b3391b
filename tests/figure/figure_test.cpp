#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "figure/figure.h"
#include "figure/kernels.h"
#include "figure/make_geometry.h"
#include "figure_fixtures.h"
#include "os/random.h"

namespace corvane {
namespace {

using test::Apply;
using test::ExpectSound;

constexpr double kPi = 3.141592653589793;

// The process generator's sequence, replayed.
struct Replay {
  uint32_t seed;
  double Next() {
    seed = seed * 134775813u + 1u;
    return seed / 4294967296.0;
  }
  void Skip(int n) {
    while (n--) Next();
  }
};

std::vector<double> Positions(const Figure& f) {
  std::vector<double> out;
  for (uint32_t r = 1; r <= f.LineCount(); ++r) {
    const LineRecord& line = f.Record(r);
    if (line.length == kFreeLine) continue;
    for (uint32_t k = 0, p = line.head; k < line.length; ++k, p = p == 1 ? kMaxPoints : p - 1)
      for (double c : f.Point(r, p).position) out.push_back(c);
  }
  return out;
}

void Advance(Figure& f, int ticks) {
  for (int i = 0; i < ticks; ++i) f.StepFigure();
}

TEST(Figure, ParametersAreClampedByNumberAndWrongNumbersRaise) {
  auto f = std::make_unique<Figure>();
  EXPECT_EQ(f->GetFigureParam(1), 33);
  EXPECT_EQ(f->GetFigureParam(2), 333);
  EXPECT_EQ(f->GetFigureParam(47), 1.0);  // not the preset's 1.1
  EXPECT_EQ(f->GetFigureParam(52), 1.0);
  EXPECT_EQ(f->GetFigureParam(5), 1.1);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    int n;
    double sent, applied;
  } cases[] = {{1, -250.4, 100}, {1, 2.5, 2},   {1, 3.5, 4},     {1, nan, 0},     {2, 12000, 10000},
               {2, 2.5, 2},      {2, -7.5, 8},  {2, nan, 0},     {4, -0.3, 0.3},  {7, -0.3, -0.3},
               {11, -5, 5},      {12, -5, -5},  {35, -0.5, 0.5}, {46, -2, -2},    {54, 3, 3}};
  for (const auto& c : cases) {
    f->SetFigureParam(c.n, c.sent);
    EXPECT_EQ(f->GetFigureParam(c.n), c.applied) << c.n << " " << c.sent;
  }
  for (int n : {0, 3, 55, 69, 70, -1}) {
    EXPECT_THROW(f->SetFigureParam(n, 1), ECalcerError) << n;
    try {
      f->GetFigureParam(n);
      ADD_FAILURE() << n;
    } catch (const ECalcerError& e) {
      EXPECT_STREQ(e.what(), "Wrong parameter number.");
    }
  }
}

TEST(Figure, DrawsComeInTheirFixedOrder) {
  auto f = std::make_unique<Figure>();
  Apply(*f, test::BusyPreset());
  const double* s = f->State();
  auto param = [&](int n) { return f->GetFigureParam(n); };
  const double st = param(4);
  auto sym = [st](double r) { return (r - 0.5) * 2 * st; };
  auto rate = [&](double r) { return sym(r) >= 0 ? sym(r) + 1 : sym(r) - 1; };

  RandomSeed(20261206);
  Replay r{20261206};
  f->RandomizeState();
  // DT, DT rate; A x y z, their rates; F; P; then NV, TV, BV with shared triplets.
  EXPECT_DOUBLE_EQ(s[state::kDT], param(7) + param(8) * sym(r.Next()));
  EXPECT_DOUBLE_EQ(s[state::kDTRate], param(9) * rate(r.Next()));
  r.Skip(2);
  EXPECT_DOUBLE_EQ(s[state::kA + 2], param(16) + param(17) * sym(r.Next()));
  EXPECT_DOUBLE_EQ(s[state::kARate], param(12) * rate(r.Next()));
  r.Skip(3);
  EXPECT_DOUBLE_EQ(s[state::kF + 1], (param(22) + param(23) * sym(r.Next())) * kPi);
  r.Skip(9);
  EXPECT_DOUBLE_EQ(s[state::kPRate + 2], param(36) * rate(r.Next()) * kPi);
  r.Skip(1);
  EXPECT_DOUBLE_EQ(s[state::kNV + 1], param(37) + param(38) * sym(r.Next()));
  r.Skip(4);
  EXPECT_DOUBLE_EQ(s[state::kTV], param(40) + param(41) * sym(r.Next()));
  r.Skip(10);
  EXPECT_DOUBLE_EQ(s[state::kBVRate + 2], param(45) * rate(r.Next()));
  EXPECT_EQ(RandomState(), r.seed);  // 38 draws in all
  for (int k = 0; k < 3; ++k) EXPECT_EQ(s[state::kT + k], 0.0);

  // A tick from empty: 19 bounce candidates, the newborn's frame, and the
  // frame of its first drifted point.
  f->ResetFigure();
  r.seed = RandomState();
  f->StepFigure();
  r.Skip(19 + 9 + 9);
  EXPECT_EQ(RandomState(), r.seed);
}

TEST(Figure, WithoutRandomMotionTwoRunsAgreeExactly) {
  auto a = std::make_unique<Figure>(), b = std::make_unique<Figure>();
  RandomSeed(1);
  Apply(*a, test::FixedPreset());
  a->ResetFigure();
  Advance(*a, 250);
  RandomSeed(0xBEEF);
  Apply(*b, test::FixedPreset());
  b->ResetFigure();
  Advance(*b, 250);
  ASSERT_GT(a->NumCoords(), 60u * 20u);
  EXPECT_EQ(Positions(*a), Positions(*b));
  // ... while the random frames, which only shape the solids, differ.
  EXPECT_NE(a->Point(1, 1).frame[0], b->Point(1, 1).frame[0]);
}

#if CORVANE_SSE2
TEST(Figure, BothKernelVariantsGiveTheSameFigure) {
  auto run = [](uint32_t level) {
    SelectKernels(level);
    auto f = std::make_unique<Figure>();
    Apply(*f, test::BusyPreset());
    RandomSeed(77);
    f->ResetFigure();
    Advance(*f, 1000);
    return f;
  };
  auto plain = run(0), sse2 = run(4);
  const std::vector<double> p = Positions(*plain), q = Positions(*sse2);
  ASSERT_EQ(p.size(), q.size());
  ASSERT_GT(p.size(), 9000u);
  // The path normal is the difference of two nearly equal directions, so
  // sine rounding reaches the drifts amplified; bound it by the figure's size.
  double scale = 0;
  for (double c : p) scale = std::max(scale, std::fabs(c));
  for (size_t i = 0; i < p.size(); ++i) ASSERT_NEAR(p[i], q[i], 1e-5 * scale) << i;

  const Matrix4 camera = test::CameraAtDistance();
  const test::Geometry g = test::MakeAll(*sse2, camera);
  SelectKernels(0);
  const test::Geometry h = test::MakeAll(*sse2, camera);
  InitNumericKernels();
  ASSERT_EQ(g.count, h.count);
  for (uint32_t i = 0; i < g.count; ++i) ASSERT_NEAR(g.keys[i], h.keys[i], 1) << i;
}
#endif

TEST(Figure, LinesZeroEmptiesTheFigureOneLinePerTick) {
  auto f = std::make_unique<Figure>();
  Apply(*f, test::BusyPreset());
  f->SetFigureParam(2, 5);
  f->ResetFigure();
  Advance(*f, 12);
  ASSERT_EQ(f->LineCount(), 5u);
  f->SetFigureParam(2, 0);
  for (uint32_t expected = 4; expected > 0; --expected) {
    EXPECT_GT(f->StepFigure(), 0u);
    EXPECT_EQ(f->LineCount(), expected);
    ExpectSound(*f);
  }
  const uint32_t before = RandomState();
  EXPECT_EQ(f->StepFigure(), 0u);
  EXPECT_EQ(f->StepFigure(), 0u);
  EXPECT_EQ(f->LineCount(), 0u);
  EXPECT_EQ(f->NewestLine(), 0u);
  Replay r{before};
  r.Skip(2 * 19);  // only the bounces drew: nothing was born
  EXPECT_EQ(RandomState(), r.seed);
}

TEST(Figure, PointsZeroAndOne) {
  auto f = std::make_unique<Figure>();
  Apply(*f, test::BusyPreset());
  f->SetFigureParam(2, 6);
  f->SetFigureParam(1, 0);
  f->ResetFigure();
  for (uint32_t tick = 1; tick <= 9; ++tick) {
    EXPECT_EQ(f->StepFigure(), 0u);  // born with one point, shrunk in the same tick
    EXPECT_EQ(f->NewestLine(), (tick - 1) % 6 + 1);
    EXPECT_EQ(f->Record(f->NewestLine()).length, 0u);
  }
  f->SetFigureParam(1, 1);
  Advance(*f, 7);
  EXPECT_EQ(f->NumCoords(), 6u);
  for (uint32_t r = 1; r <= 6; ++r) EXPECT_EQ(f->Record(r).length, 1u);
  // The one point kept is the newest: the newborn's is its birth point
  // moved by one drift.
  const LineRecord& born = f->Record(f->NewestLine());
  const PointSlot& head = f->Point(f->NewestLine(), born.head);
  const PointSlot& birth = f->Point(f->NewestLine(), 1);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(head.position[k], birth.position[k] + born.drift[k]);
}

TEST(Figure, LinesRaisedAndLoweredMoveOneSlotPerTick) {
  auto f = std::make_unique<Figure>();
  Apply(*f, test::BusyPreset());
  f->SetFigureParam(2, 10);
  f->ResetFigure();
  Advance(*f, 14);
  f->SetFigureParam(2, 20);
  for (uint32_t count = 11; count <= 20; ++count) {
    f->StepFigure();
    ASSERT_EQ(f->LineCount(), count);
    if (f->NewestLine() != count) {
      EXPECT_EQ(f->Record(count).length, kFreeLine) << count;
    }
    ExpectSound(*f);
  }
  Advance(*f, 25);  // every slot now holds a line, the newest somewhere in 1..20
  f->SetFigureParam(2, 10);
  for (uint32_t count = 19; count >= 10; --count) {
    const uint32_t newest = f->NewestLine();
    f->StepFigure();
    ASSERT_EQ(f->LineCount(), count);
    EXPECT_EQ(f->NewestLine(), newest < count ? newest + 1 : 1);
    ExpectSound(*f);
  }
}

TEST(Figure, TimeStandingStillCollapsesEveryLineOntoTheEmitter) {
  auto f = std::make_unique<Figure>();
  Apply(*f, test::FixedPreset());
  for (int n : {7, 8, 9}) f->SetFigureParam(n, 0);
  f->ResetFigure();
  Advance(*f, 80);
  const std::vector<double> p = Positions(*f);
  ASSERT_EQ(p.size(), 3u * f->NumCoords());
  for (size_t i = 3; i < p.size(); ++i) ASSERT_EQ(p[i], p[i % 3]) << i;
  for (uint32_t r = 1; r <= f->LineCount(); ++r)
    for (float d : f->Record(r).drift) EXPECT_EQ(d, 0.0f);
}

TEST(Figure, OnlyMotionParametersRestartTheMotion) {
  auto f = std::make_unique<Figure>();
  Apply(*f, test::BusyPreset());
  f->ResetFigure();
  Advance(*f, 50);
  const std::vector<double> before(f->State(), f->State() + state::kStochastity);
  for (int n : {1, 2, 5, 6, 46, 54}) f->SetFigureParam(n, 3);
  EXPECT_EQ(std::vector<double>(f->State(), f->State() + state::kStochastity), before);
  f->SetFigureParam(10, 320);  // MidAX
  for (int k = 0; k < 3; ++k) EXPECT_EQ(f->State()[state::kT + k], 0.0);
  const double shift = f->GetFigureParam(11);
  EXPECT_NE(f->State()[state::kA], before[state::kA]);
  EXPECT_LE(std::fabs(f->State()[state::kA] - 320), shift * f->GetFigureParam(4));
}

TEST(Figure, HostileValuesLeaveTheFigureRunningInBounds) {
  const double inf = std::numeric_limits<double>::infinity();
  const Matrix4 camera = test::CameraAtDistance();
  for (double v : {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e308, -1e308, -0.0}) {
    auto f = std::make_unique<Figure>();
    Apply(*f, test::BusyPreset());
    f->ResetFigure();
    Advance(*f, 30);
    for (int n = 1; n <= 69; ++n) {
      if (n == 3 || n >= 55) {
        EXPECT_THROW(f->SetFigureParam(n, v), ECalcerError);
        continue;
      }
      f->SetFigureParam(n, v);
      Advance(*f, 2);
      ExpectSound(*f);
      test::ExpectSorted(test::MakeAll(*f, camera));
    }
    EXPECT_EQ(f->Points(), std::isnan(v) || v == 0 ? 0u : 100u) << v;
    EXPECT_EQ(f->Lines(), std::isnan(v) || v == 0 ? 0u : 10000u) << v;
  }
}

}  // namespace
}  // namespace corvane
