#include "evolve/child_checks.h"

#include <gtest/gtest.h>

#include "evolve/breeding.h"
#include "os/random.h"

namespace corvane {
namespace {

// The checks measure the real figure: each failing child below is built to
// fail one check, from the defaults, which pass them all.
TEST(ChildChecks, RejectAFrozenAnEmptyAnOutOfViewASpeckAndAnOverBudgetChild) {
  const TPresetParams good = TPresetParams::Defaults();
  RandomSeed(77);
  const ChildMeasures measured = MeasureChild(good);
  EXPECT_EQ(RandomState(), 77u) << "the process's generator is put back";
  EXPECT_EQ(JudgeChild(measured), ChildVerdict::Shown);
  const ChildMeasures again = MeasureChild(good);
  EXPECT_EQ(again.change, measured.change);
  EXPECT_EQ(again.coverage, measured.coverage);

  struct Case {
    const char* what;
    std::vector<std::pair<int, double>> set;
    ChildVerdict verdict;
  };
  const Case cases[] = {
      {"a tick every 100 s: nothing moves for seconds", {{3, 100000}}, ChildVerdict::Frozen},
      {"no lines", {{2, 0}}, ChildVerdict::Empty},
      {"no points on the lines", {{1, 0.4}}, ChildVerdict::Empty},
      {"looking away from the figure", {{58, 3600}, {59, 3600}, {60, 3600}}, ChildVerdict::OutOfView},
      {"inside the figure", {{55, 10}, {56, 10}, {57, 10}}, ChildVerdict::OutOfView},
      {"up along the view: no camera", {{61, 1}, {62, 1}, {63, 1}}, ChildVerdict::OutOfView},
      {"far away, yet nearer than the far plane", {{55, 35000}, {56, 35000}, {57, 35000}}, ChildVerdict::Speck},
      {"beyond the far plane", {{55, 1e6}, {56, 1e6}, {57, 1e6}}, ChildVerdict::OutOfView},
      {"250,000 points and one line more", {{1, 100}, {2, 2501}}, ChildVerdict::OverBudget},
  };
  for (const Case& c : cases) {
    TPresetParams child = good;
    for (const auto& [number, value] : c.set) child.SetValue(number, value);
    EXPECT_EQ(VerdictName(JudgeChild(MeasureChild(child))), std::string(VerdictName(c.verdict))) << c.what;
  }
  TPresetParams atBudget = good;
  atBudget.SetValue(1, 100);
  atBudget.SetValue(2, 2500);
  EXPECT_EQ(MeasureChild(atBudget).points, kPointBudget);
}

TEST(ChildChecks, AFailingChildIsBredAgainAFewTimesThenAParentIsShown) {
  TPresetParams a = TPresetParams::Defaults(), b = a;
  b.SetValue(10, 700);
  b.SetValue(46, 0.8);
  const ShownPreset shown = BreedShownChild(a, b, 5);
  ASSERT_TRUE(shown.isChild);
  EXPECT_EQ(shown.preset, BreedChild(a, b, shown.seed)) << "parents and seed make the child again";
  EXPECT_EQ(shown.seed, 5u + static_cast<uint64_t>(shown.attempts - 1));

  // Every child of two heavy parents is over budget.
  a.SetValue(1, 100);
  a.SetValue(2, 9000);
  b.SetValue(1, 100);
  b.SetValue(2, 9000);
  const ShownPreset fallback = BreedShownChild(a, b, 5);
  EXPECT_FALSE(fallback.isChild);
  EXPECT_EQ(fallback.attempts, kBreedAttempts);
  EXPECT_EQ(fallback.preset, a);
}

}  // namespace
}  // namespace corvane
