#include "evolve/evolved_session.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "../presets/test_registry.h"
#include "evolve/breeding.h"
#include "os/random.h"
#include "presets/memory_registry.h"
#include "presets/preset_selection.h"
#include "presets/registry_store.h"

namespace corvane {
namespace {

struct SentParams final : ParamSink {
  void SetParam(int number, double value) override { preset.SetValue(number, value); }
  TPresetParams preset;
};

class EvolvedSession : public ::testing::Test {
 protected:
  static TPresetParams Store(const std::string& name, double points, double red) {
    TPresetParams preset = TPresetParams::Defaults();
    preset.SetValue(1, points);
    preset.SetValue(46, red);
    for (int n = 1; n <= kParamCount; ++n) WriteListParam(name, n, preset.GetValue(n));
    return preset;
  }
  MemoryRegistry backend;
  test::ScopedTestRegistry registry{backend};
};

TEST_F(EvolvedSession, WithEvolveOnAndTwoPresetsEachSessionShowsARememberedChild) {
  const std::map<std::string, TPresetParams> parents{{"Calm", Store("Calm", 20, 0.1)},
                                                     {"Storm", Store("Storm", 60, 0.9)}};
  RandomSeed(5);
  SentParams sent;
  EXPECT_FALSE(ShowEvolvedChild(sent)) << "Evolve is off";
  WriteEvolveMode(true);
  DeletePreset("Storm");
  EXPECT_FALSE(ShowEvolvedChild(sent)) << "one stored preset";
  Store("Storm", 60, 0.9);

  // The session asks for a child at its start and at every shuffle step.
  int asked = 0;
  SaverPresetSession session;
  session.showChild = [&](ParamSink& drawer) { return ++asked, ShowEvolvedChild(drawer); };
  session.Start(sent);
  EXPECT_EQ(asked, 1);
  std::vector<RememberedChild> children;
  ASSERT_TRUE(ListRememberedChildren(children));
  ASSERT_EQ(children.size(), 1u);
  const RememberedChild& child = children.front();
  ASSERT_TRUE(parents.count(child.parentA) && parents.count(child.parentB));
  EXPECT_NE(child.parentA, child.parentB);
  EXPECT_EQ(child.params, sent.preset) << "the child shown is the one remembered";
  EXPECT_EQ(BreedChild(parents.at(child.parentA), parents.at(child.parentB), child.seed), child.params)
      << "its parents and seed make it again";
  EXPECT_NE(child.params, parents.at("Calm"));
  EXPECT_NE(child.params, parents.at("Storm"));

  WriteShuffleMode(true);
  session.StartShuffle();
  for (int tick = 0; asked == 1 && tick < 500; ++tick) session.ShuffleTick(sent);  // 60..419 ticks
  ASSERT_TRUE(ListRememberedChildren(children));
  EXPECT_EQ(children.size(), 2u);
}

}  // namespace
}  // namespace corvane
