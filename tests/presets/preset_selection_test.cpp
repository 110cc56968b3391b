#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "figure/preset_params.h"
#include "os/random.h"
#include "presets/memory_registry.h"
#include "presets/preset_selection.h"
#include "test_registry.h"

namespace corvane {
namespace {

// Stands in for the drawing thread: remembers every value it is sent.
class RecordingSink : public ParamSink {
 public:
  void SetParam(int number, double value) override { sent.emplace_back(number, value); }
  TPresetParams LastPreset() const {  // the last 69 values sent
    TPresetParams preset;
    for (size_t i = sent.size() - kParamCount; i < sent.size(); ++i) preset.SetValue(sent[i].first, sent[i].second);
    return preset;
  }
  std::vector<std::pair<int, double>> sent;
};

class PresetSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override { RandomSeed(12345); }

  static void StorePreset(const std::string& name, double points) {
    for (int n = 1; n <= kParamCount; ++n) WriteListParam(name, n, ParamDefault(n) + 1);
    WriteListParam(name, 1, points);
  }
  // Ticks until the session sends a preset, at most a limit.
  static int TicksUntilChange(SaverPresetSession& session, RecordingSink& sink, int limit) {
    size_t before = sink.sent.size();
    for (int tick = 1; tick <= limit; ++tick) {
      session.ShuffleTick(sink);
      if (sink.sent.size() != before) return tick;
    }
    return -1;
  }

  MemoryRegistry memory_;
  test::ScopedTestRegistry registry_{memory_};
};

TEST_F(PresetSelectionTest, ApplySendsAllNumbersInOrderWithDefaultsForMissingValues) {
  WriteListParam("Half", 2, 500);
  WriteListParam("Half", 64, 3);
  RecordingSink sink;
  ApplyStoredPreset("Half", sink);
  ASSERT_EQ(sink.sent.size(), 69u);
  for (int n = 1; n <= kParamCount; ++n) {
    EXPECT_EQ(sink.sent[n - 1].first, n);
    EXPECT_EQ(sink.sent[n - 1].second, n == 2 ? 500 : n == 64 ? 3 : ParamDefault(n)) << n;
  }
  ApplyStoredPreset("", sink);
  EXPECT_EQ(sink.LastPreset(), TPresetParams::Defaults());
}

TEST_F(PresetSelectionTest, SessionPresetFollowsRandomAndName) {
  RecordingSink sink;
  WriteRandomMode(true);
  EXPECT_EQ(ChooseSessionPreset(), "");  // no presets: the defaults

  StorePreset("Galaxy", 50);
  StorePreset("Comet", 60);
  MakeCurrent("Comet");
  std::set<std::string> chosen;
  for (int i = 0; i < 100; ++i) chosen.insert(ChooseSessionPreset());
  EXPECT_EQ(chosen, (std::set<std::string>{"Comet", "Galaxy"}));

  WriteRandomMode(false);
  EXPECT_EQ(ChooseSessionPreset(), "Comet");
  SaverPresetSession session;
  session.Start(sink);
  EXPECT_EQ(sink.LastPreset().GetValue(1), 60);

  DeletePreset("Comet");  // the name stays, the values are gone
  EXPECT_EQ(ChooseSessionPreset(), "Comet");
  session.Start(sink);
  EXPECT_EQ(sink.LastPreset(), TPresetParams::Defaults());

  ForgetCurrent();
  EXPECT_EQ(ChooseSessionPreset(), "");
}

TEST_F(PresetSelectionTest, ShuffleChangesEveryThirtyToTwoHundredNineAndAHalfSeconds) {
  StorePreset("Only", 42);
  WriteShuffleMode(true);
  RecordingSink sink;
  int shortest = 1000, longest = 0;
  for (int session = 0; session < 200; ++session) {
    SaverPresetSession saver;
    saver.Start(sink);
    EXPECT_TRUE(saver.ShuffleEnabled());
    int ticks = TicksUntilChange(saver, sink, 1000);
    shortest = std::min(shortest, ticks);
    longest = std::max(longest, ticks);
    EXPECT_EQ(sink.LastPreset().GetValue(1), 42);  // one preset: the same again
    EXPECT_GE(saver.PresetChangeCountdown(), 60);
  }
  EXPECT_GE(shortest, 60);  // 500 ms ticks: 30 s
  EXPECT_LE(longest, 419);  // 209.5 s
  EXPECT_LT(shortest, 80);  // and the whole range is used
  EXPECT_GT(longest, 400);
}

TEST_F(PresetSelectionTest, ShuffleRunsOnlyWhenEnabledAndAnEmptyListGivesTheDefaults) {
  StorePreset("Only", 42);
  RecordingSink sink;
  SaverPresetSession saver;
  saver.Start(sink);
  EXPECT_FALSE(saver.ShuffleEnabled());
  EXPECT_EQ(TicksUntilChange(saver, sink, 2000), -1);
  WriteShuffleMode(true);  // takes effect at the next session only
  EXPECT_EQ(TicksUntilChange(saver, sink, 2000), -1);
  saver.StartShuffle();
  EXPECT_NE(TicksUntilChange(saver, sink, 2000), -1);

  DeletePreset("Only");
  sink.sent.clear();
  SaverPresetSession empty;
  empty.Start(sink);
  ASSERT_NE(TicksUntilChange(empty, sink, 1000), -1);
  EXPECT_EQ(sink.sent.size(), 2u * kParamCount);
  EXPECT_EQ(sink.LastPreset(), TPresetParams::Defaults());
}

}  // namespace
}  // namespace corvane
