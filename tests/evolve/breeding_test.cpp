#include "evolve/breeding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "presets/preset_text.h"

namespace corvane {
namespace {

// A parent that differs from the defaults in every value.
TPresetParams Shifted(const TPresetParams& base) {
  TPresetParams p;
  for (int n = 1; n <= kParamCount; ++n) p.SetValue(n, base.GetValue(n) + 1);
  return p;
}

// The generator is written out so that a seed breeds the same child with
// every compiler; these are splitmix64's published first outputs.
TEST(Breeding, OneSeedBreedsOneChildEverywhere) {
  BreedRandom random(0);
  EXPECT_EQ(random.Next(), 0xE220A8397B1DCDAFull);
  EXPECT_EQ(random.Next(), 0x6E789E6AA1B965F4ull);
  BreedRandom mapped(7);
  for (int i = 0; i < 1000; ++i) {
    const double u = mapped.Uniform();
    ASSERT_TRUE(u >= 0 && u < 1);
    ASSERT_LT(mapped.Below(7), 7u);
  }

  const TPresetParams a = TPresetParams::Defaults(), b = Shifted(a);
  EXPECT_EQ(PresetFileText(BreedChild(a, b, 42)), PresetFileText(BreedChild(a, b, 42)));
  EXPECT_NE(PresetFileText(BreedChild(a, b, 42)), PresetFileText(BreedChild(a, b, 43)));
}

TEST(Breeding, CrossoverTakesEveryGeneWholeAndSomeFromEachParent) {
  const TPresetParams a = TPresetParams::Defaults(), b = Shifted(a);
  int fromB[kGeneCount] = {};
  for (uint64_t seed = 0; seed < 200; ++seed) {
    BreedRandom random(seed);
    const TPresetParams child = Crossover(a, b, random);
    int genesFromB = 0;
    for (int g = 0; g < kGeneCount; ++g) {
      int ofA = 0, ofB = 0;
      for (int n = 1; n <= kParamCount; ++n) {
        if (static_cast<int>(GeneOf(n)) != g) continue;
        ofA += child.GetValue(n) == a.GetValue(n) ? 1 : 0;
        ofB += child.GetValue(n) == b.GetValue(n) ? 1 : 0;
      }
      ASSERT_TRUE(ofA == 0 || ofB == 0) << "gene " << g << " split, seed " << seed;
      ASSERT_GT(ofA + ofB, 0);
      genesFromB += ofB ? 1 : 0;
      fromB[g] += ofB ? 1 : 0;
    }
    ASSERT_TRUE(genesFromB > 0 && genesFromB < kGeneCount) << "seed " << seed;
  }
  for (int count : fromB) EXPECT_TRUE(count > 50 && count < 150) << count;
}

TEST(Breeding, MutationNudgesAFewValuesWithinTheirRangesAndSwitchesSometimes) {
  TPresetParams base = TPresetParams::Defaults();
  base.SetValue(10, 5000);  // MidAX far outside the gallery: never pushed further out
  int blendingSwitched = 0, blurSwitched = 0;
  for (uint64_t seed = 0; seed < 500; ++seed) {
    TPresetParams child = base;
    BreedRandom random(seed);
    Mutate(child, random);
    int nudged = 0;
    for (int n = 1; n <= kParamCount; ++n) {
      const double old = base.GetValue(n), now = child.GetValue(n);
      if (now == old) continue;
      const ParamBreeding& p = BreedingOf(n);
      if (n == 64) {
        ++blendingSwitched;
        EXPECT_TRUE(now >= 0 && now < kBlendingModes && now == std::floor(now)) << now;
      } else if (n == 69) {
        ++blurSwitched;
        EXPECT_TRUE(now >= kMotionBlurOnLo && now <= kMotionBlurOnHi) << now;  // the defaults have it off
      } else {
        ++nudged;
        EXPECT_LE(std::fabs(now - old), kNudgeShare * (p.hi - p.lo) * 1.01) << ParamName(n);
        EXPECT_TRUE(now >= std::min(p.lo, old) && now <= std::max(p.hi, old)) << ParamName(n) << " " << now;
        if (p.trait == Trait::Whole) {
          EXPECT_EQ(now, std::floor(now));
        }
      }
    }
    EXPECT_LE(nudged, kMaxNudges);
  }
  // Once in kSwitchOdds: about 62 of 500.
  EXPECT_TRUE(blendingSwitched > 30 && blendingSwitched < 100) << blendingSwitched;
  EXPECT_TRUE(blurSwitched > 30 && blurSwitched < 100) << blurSwitched;

  TPresetParams blurred = base;
  blurred.SetValue(69, 150);
  for (uint64_t seed = 0; seed < 100; ++seed) {
    TPresetParams child = blurred;
    BreedRandom random(seed);
    Mutate(child, random);
    EXPECT_TRUE(child.GetValue(69) == 150 || child.GetValue(69) == 0);
  }
}

// Parents from the registry may hold anything; the child holds only values
// a preset file writes and reads back as they are.
TEST(Breeding, EveryChildValueIsWrittenAndReadBackUnchanged) {
  TPresetParams a = TPresetParams::Defaults(), b = Shifted(a);
  for (int n = 1; n <= kParamCount; n += 4) a.SetValue(n, n / 3.0);
  a.SetValue(10, 1e300);
  b.SetValue(10, std::numeric_limits<double>::quiet_NaN());
  a.SetValue(19, 0.1234567890123456789);
  b.SetValue(55, -1e-17);
  for (uint64_t seed = 0; seed < 300; ++seed) {
    const TPresetParams child = BreedChild(a, b, seed);
    for (int n = 1; n <= kParamCount; ++n) {
      const std::optional<std::string> text = TryFloatToPresetText(child.GetValue(n));
      ASSERT_TRUE(text && IsPresetNumber(*text)) << ParamName(n) << " seed " << seed;
      ASSERT_EQ(PresetTextToFloat(*text), child.GetValue(n)) << ParamName(n) << " seed " << seed;
    }
    ASSERT_EQ(ParsePresetFileText(PresetFileText(child)), child);
  }
}

}  // namespace
}  // namespace corvane
