#include <gtest/gtest.h>

#include <array>
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

// The motion worked out from its formulas. With Stochastity 0 every draw is
// fixed: a quantity starts at its Mid and its rate at its ScaleD (F and P in
// units of pi), wanders by its rate and turns back at Mid -+ Shift.
class MotionByHand {
 public:
  // Mid, Shift, ScaleD of DT, AX, AY, AZ, FX, FY, FZ, PX, PY, PZ, NV, TV, BV.
  using Triplets = std::array<std::array<double, 3>, 13>;
  explicit MotionByHand(const Triplets& t) {
    for (int q = 0; q < 13; ++q) {
      const double unit = q >= 4 && q <= 9 ? kPi : 1.0;
      const auto& [mid, shift, scale] = t[q];
      for (int k = 0; k < (q >= 10 ? 3 : 1); ++k)
        quantities_.push_back({mid * unit, scale * unit, (mid - shift) * unit, (mid + shift) * unit, scale * unit});
    }
  }
  // One tick; returns the emitter and the newborn's drift.
  void Step() {
    for (Quantity& q : quantities_) q.value += q.rate;
    for (Quantity& q : quantities_) {
      if (!(q.value > q.lo))
        q.rate = std::fabs(q.scale);
      else if (q.value >= q.hi)
        q.rate = -std::fabs(q.scale);
    }
    for (int k = 0; k < 3; ++k) phase[k] += F(k) * DT();
    const double eps = DT() > 0 ? 0.0001 : DT() < 0 ? -0.0001 : 0.0;
    double plus[3], minus[3], a[3], b[3];
    for (int k = 0; k < 3; ++k) {
      emitter[k] = A(k) * std::sin(phase[k] + P(k));
      plus[k] = A(k) * std::sin(F(k) * eps + phase[k] + P(k));
      minus[k] = A(k) * std::sin(phase[k] - F(k) * eps + P(k));
      a[k] = plus[k] - emitter[k];
      b[k] = emitter[k] - minus[k];
    }
    Normalize(a);
    Normalize(b);
    double n[3], t[3], bn[3];
    for (int k = 0; k < 3; ++k) n[k] = a[k] - b[k], t[k] = a[k] + b[k];
    for (int k = 0; k < 3; ++k) bn[k] = n[(k + 1) % 3] * t[(k + 2) % 3] - n[(k + 2) % 3] * t[(k + 1) % 3];
    Normalize(n);
    Normalize(t);
    Normalize(bn);
    for (int k = 0; k < 3; ++k) drift[k] = Value(10 + k) * n[k] + Value(13 + k) * t[k] + Value(16 + k) * bn[k];
  }
  double Value(int i) const { return quantities_[i].value; }  // DT, A xyz, F xyz, P xyz, NV xyz, TV xyz, BV xyz
  double DT() const { return Value(0); }
  double A(int k) const { return Value(1 + k); }
  double F(int k) const { return Value(4 + k); }
  double P(int k) const { return Value(7 + k); }

  double phase[3] = {0, 0, 0}, emitter[3] = {}, drift[3] = {};

 private:
  static constexpr double kPi = 3.141592653589793;
  struct Quantity {
    double value, rate, lo, hi, scale;
  };
  static void Normalize(double (&v)[3]) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length != 0)
      for (double& c : v) c /= length;
  }
  std::vector<Quantity> quantities_;
};

TEST(Figure, EmitterPathFrameAndDriftFollowTheFormulas) {
  MotionByHand::Triplets motion = {{{0.02, 0.005, 0.0017},
                                    {300, 30, 7},
                                    {250, 20, -3},
                                    {200, 10, 4.3},
                                    {1.1, 0.1, 0.027},
                                    {0.7, 0.05, 0.013},
                                    {1.9, 0.2, -0.045},
                                    {0.3, 0.04, 0.011},
                                    {-0.5, 0.06, 0.017},
                                    {0.9, 0.03, 0.0071},
                                    {3, 0.5, 0.13},
                                    {-2, 0.3, 0.07},
                                    {1.5, 0.2, -0.09}}};
  // Wandering weights, then each frame vector alone as the drift.
  const std::array<std::array<double, 3>, 3> weights[] = {
      {motion[10], motion[11], motion[12]},
      {{{1, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      {{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}},
      {{{0, 0, 0}, {0, 0, 0}, {1, 0, 0}}},
  };
  for (size_t w = 0; w < std::size(weights); ++w) {
    for (int i = 0; i < 3; ++i) motion[10 + i] = weights[w][i];
    test::ParamList preset = {{1, 2}, {2, 1}, {4, 0}};
    for (int q = 0; q < 13; ++q)
      for (int i = 0; i < 3; ++i) preset.push_back({7 + 3 * q + i, motion[q][i]});
    auto f = Running(preset, 0);
    MotionByHand hand(motion);
    for (int tick = 1; tick <= 12; ++tick) {
      SCOPED_TRACE(testing::Message() << "weights " << w << ", tick " << tick);
      f->StepFigure();
      hand.Step();
      for (int i = 0; i < 19; ++i) {
        const int at = i == 0 ? state::kDT : i < 10 ? state::kA + i - 1 : state::kNV + i - 10;
        ASSERT_NEAR(f->State()[at], hand.Value(i), 1e-12 * std::fabs(hand.Value(i))) << "quantity " << i;
      }
      for (int k = 0; k < 3; ++k) {
        ASSERT_NEAR(f->State()[state::kT + k], hand.phase[k], 1e-12) << k;
        ASSERT_NEAR(f->Point(1, 1).position[k], hand.emitter[k], 1e-9) << k;
        ASSERT_NEAR(f->Record(1).drift[k], hand.drift[k], 1e-5 * (1 + std::fabs(hand.drift[k]))) << k;
        EXPECT_EQ(f->Point(1, 2).position[k], f->Point(1, 1).position[k] + f->Record(1).drift[k]) << k;
      }
    }
  }
}

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
