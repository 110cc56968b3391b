#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "forms/main_window/hot_keys.h"

namespace corvane {
namespace {

using gui::Shift;
namespace keys = gui::keys;

using A = HotKeyAction;

TEST(HotKeys, ControlBlockFirstThenOnlyWithoutModifiers) {
  struct Case {
    gui::Key key;
    Shift shift;
    std::optional<HotKeyAction> action;
  };
  const Shift none = Shift::None, control = Shift::Ctrl;
  const Case cases[] = {
      {keys::F(1), control, A::About},
      {keys::F(1), Shift::Ctrl | Shift::Shift, A::About},
      {keys::F(2), Shift::Ctrl | Shift::Alt, A::Wallpapers},
      {keys::F(3), control, A::ToggleBackground},
      {keys::F(12), control, A::ToggleEnhancedSettings},
      {gui::Key('F'), control, A::ToggleFrameRate},
      {keys::F(1), none, A::ToggleQuickInfo},
      {keys::F(5), none, A::QuickLoadFromFile},
      {keys::F(9), none, A::Snapshot},
      {keys::F(11), none, A::FullScreenSwitch},
      {keys::F(12), none, A::ToggleEditor},
      {keys::kEscape, none, A::Exit},
      {keys::kPause, none, A::StartStop},
      // A mouse button held is no modifier.
      {keys::F(9), Shift::Right, A::Snapshot},
      // Control keys outside the Control block do nothing.
      {keys::F(9), control, std::nullopt},
      {keys::kEscape, control, std::nullopt},
      // Other modifiers stop the second block.
      {keys::F(1), Shift::Shift, std::nullopt},
      {keys::kEscape, Shift::Alt, std::nullopt},
      {keys::F(10), none, std::nullopt},
      {keys::kLeft, none, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindHotKey(c.key, c.shift), c.action) << "key " << c.key;
  }
}

TEST(HotKeys, EveryActionHasOneKeyAndNoKeyTwoActions) {
  std::set<HotKeyAction> actions;
  std::set<std::pair<gui::Key, bool>> seen;
  for (const HotKey& hotKey : kHotKeys) {
    EXPECT_TRUE(actions.insert(hotKey.action).second) << "action twice: " << int(hotKey.action);
    EXPECT_TRUE(seen.insert({hotKey.key, hotKey.control}).second) << "key twice: " << hotKey.key;
  }
  EXPECT_EQ(actions.size(), kHotKeyActionCount);
}

}  // namespace
}  // namespace corvane
