#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "forms/hot_keys.h"

namespace corvane {
namespace {

using A = HotKeyAction;

TEST(HotKeys, ControlBlockFirstThenOnlyWithoutModifiers) {
  struct Case {
    uint16_t key;
    ShiftState shift;
    std::optional<HotKeyAction> action;
  };
  const ShiftState none, control{ShiftKey::Control};
  const Case cases[] = {
      {key::kF1, control, A::About},
      {key::kF1, {ShiftKey::Control, ShiftKey::Shift}, A::About},
      {key::kF2, {ShiftKey::Control, ShiftKey::Alt}, A::Wallpapers},
      {key::kF3, control, A::ToggleBackground},
      {key::kF12, control, A::ToggleEnhancedSettings},
      {key::kF1, none, A::ToggleQuickInfo},
      {key::kF5, none, A::QuickLoadFromFile},
      {key::kF9, none, A::Snapshot},
      {key::kF11, none, A::FullScreenSwitch},
      {key::kF12, none, A::ToggleEditor},
      {key::kEscape, none, A::Exit},
      {key::kPause, none, A::StartStop},
      // A mouse button held is no modifier.
      {key::kF9, {ShiftKey::Right}, A::Snapshot},
      // Control keys outside the Control block do nothing.
      {key::kF9, control, std::nullopt},
      {key::kEscape, control, std::nullopt},
      // Other modifiers stop the second block.
      {key::kF1, {ShiftKey::Shift}, std::nullopt},
      {key::kEscape, {ShiftKey::Alt}, std::nullopt},
      {key::kF10, none, std::nullopt},
      {key::kLeft, none, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindHotKey(c.key, c.shift), c.action) << "key " << c.key;
  }
}

TEST(HotKeys, EveryActionHasOneKeyAndNoKeyTwoActions) {
  std::set<HotKeyAction> actions;
  std::set<std::pair<uint16_t, bool>> keys;
  for (const HotKey& hotKey : kHotKeys) {
    EXPECT_TRUE(actions.insert(hotKey.action).second) << "action twice: " << int(hotKey.action);
    EXPECT_TRUE(keys.insert({hotKey.key, hotKey.control}).second) << "key twice: " << hotKey.key;
  }
  EXPECT_EQ(actions.size(), kHotKeyActionCount);
}

}  // namespace
}  // namespace corvane
