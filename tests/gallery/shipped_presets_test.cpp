// The preset files that ship beside the program: what a user sees first.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "evolve/breeding.h"
#include "evolve/child_checks.h"
#include "presets/preset_text.h"

namespace corvane {
namespace {

std::vector<std::filesystem::path> ShippedPresets() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(CORVANE_PRESETS_DIR))
    if (entry.path().extension() == ".cvp") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// As the figure takes them: rounded magnitude, capped.
long Clamped(double value, long cap) { return std::min(std::lround(std::fabs(value)), cap); }

// The reader turns a value it cannot parse into 0 without a word, so every
// line is checked as text, and the file must be exactly what the program
// itself would write for the values it reads.
TEST(ShippedPresets, EveryFileReadsWithoutALostValue) {
  const auto files = ShippedPresets();
  ASSERT_GE(files.size(), 16u);
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::string bytes = FileBytes(file);
    std::istringstream lines(bytes);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
      ++number;
      ASSERT_TRUE(!line.empty() && line.back() == '\r') << "line " << number << " does not end in CR LF";
      line.pop_back();
      const size_t equals = line.find('=');
      ASSERT_NE(equals, std::string::npos) << line;
      EXPECT_EQ(line.substr(0, equals), ParamName(number));
      const std::string value = line.substr(equals + 1);
      EXPECT_TRUE(!value.empty() && IsPresetNumber(value)) << line;
    }
    EXPECT_EQ(number, kParamCount);
    EXPECT_EQ(PresetFileText(ReadPresetFile(file.string())), bytes);
  }
}

// The saver also runs on weak graphics: at most a quarter of the set above
// 50,000 points once grown, none above 250,000. And the set shows off the
// renderer: at least five of its seven blending modes.
TEST(ShippedPresets, KeepToThePointBudgetAndShowTheBlendingModes) {
  const auto files = ShippedPresets();
  size_t heavy = 0;
  std::set<long> modes;
  for (const auto& file : files) {
    const TPresetParams preset = ReadPresetFile(file.string());
    const long points = Clamped(preset.GetValue(2), 10000) * Clamped(preset.GetValue(1), 100);
    EXPECT_LE(points, 250000) << file.filename();
    heavy += points > 50000 ? 1 : 0;
    modes.insert(Clamped(preset.GetValue(64), 6));
  }
  EXPECT_LE(heavy * 4, files.size());
  EXPECT_GE(modes.size(), 5u);
}

// Mutation nudges by the spread the gallery shows: the breeding table holds
// each parameter's least and greatest shipped value.
TEST(ShippedPresets, SpanTheBreedingRanges) {
  std::vector<TPresetParams> presets;
  for (const auto& file : ShippedPresets()) presets.push_back(ReadPresetFile(file.string()));
  for (int n = 1; n <= kParamCount; ++n) {
    double lo = presets[0].GetValue(n), hi = lo;
    for (const TPresetParams& p : presets) lo = std::min(lo, p.GetValue(n)), hi = std::max(hi, p.GetValue(n));
    EXPECT_NEAR(BreedingOf(n).lo, lo, 1e-12) << ParamName(n);
    EXPECT_NEAR(BreedingOf(n).hi, hi, 1e-12) << ParamName(n);
  }
}

// Children of every pair are files the readers take as they are; the
// engine measures a child of every preset, and a showing breeds at most
// kBreedAttempts children. Measuring runs the figure, so one pair per
// preset is measured, the partner varying.
TEST(ShippedPresets, BreedChildrenTheReadersAndTheEngineTake) {
  std::vector<TPresetParams> presets;
  for (const auto& file : ShippedPresets()) presets.push_back(ReadPresetFile(file.string()));
  const size_t count = presets.size();
  uint64_t seed = 1;
  for (size_t a = 0; a < count; ++a) {
    for (size_t b = 0; b < count; ++b) {
      if (a == b) continue;
      for (int i = 0; i < 4; ++i, ++seed) {
        const TPresetParams child = BreedChild(presets[a], presets[b], seed);
        ASSERT_EQ(ParsePresetFileText(PresetFileText(child)), child) << a << " x " << b << " seed " << seed;
      }
    }
    const size_t partner = (a + 1 + a * 7 % (count - 1)) % count;
    ShownPreset shown;
    ASSERT_NO_THROW(shown = BreedShownChild(presets[a], presets[partner], seed));
    EXPECT_TRUE(shown.attempts >= 1 && shown.attempts <= kBreedAttempts);
    EXPECT_EQ(shown.preset, shown.isChild ? BreedChild(presets[a], presets[partner], shown.seed) : presets[a]);
  }
}

// Seed 3754989559161752333 breeds Tiger Eye again from Jade Ribbon and Tiger
// Eye (Jade Ribbon's genes alike, a nudge lost in rounding): the next seed is
// shown instead.
TEST(ShippedPresets, AChildThatIsAParentAgainIsNotShown) {
  std::filesystem::path dir = ShippedPresets().front().parent_path();
  const TPresetParams jade = ReadPresetFile((dir / "Jade Ribbon.cvp").string());
  const TPresetParams tiger = ReadPresetFile((dir / "Tiger Eye.cvp").string());
  const uint64_t seed = 3754989559161752333ull;
  ASSERT_EQ(BreedChild(jade, tiger, seed), tiger);
  const ShownPreset shown = BreedShownChild(jade, tiger, seed);
  ASSERT_TRUE(shown.isChild);
  EXPECT_NE(shown.preset, tiger);
  EXPECT_NE(shown.preset, jade);
  EXPECT_GT(shown.seed, seed);
}

}  // namespace
}  // namespace corvane
