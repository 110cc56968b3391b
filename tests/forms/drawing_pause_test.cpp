#include <gtest/gtest.h>

#include <functional>

#include "forms/main_window/drawing_pause.h"
#include "recording_drawer.h"

namespace corvane {
namespace {

using test::Animating;
using test::SentCall;
using test::TimeFrozen;
using Calls = std::vector<SentCall>;

const Calls kPaused{Animating(false), TimeFrozen(true)};
const Calls kResumed{TimeFrozen(false), Animating(true)};
const Calls kResumedFrozen{TimeFrozen(true), Animating(true)};

// Events in order after the window's first show; the sends of the last
// one are compared.
TEST(DrawingPause, EventsPauseAndResumeByState) {
  using Step = std::function<void(DrawingPause&)>;
  struct Case {
    const char* name;
    std::vector<Step> steps;
    Calls last;
    bool shown = true;
  };
  const Step deactivate = &DrawingPause::Deactivated, activate = &DrawingPause::Activated,
             minimise = &DrawingPause::Minimised, restore = &DrawingPause::Restored,
             hide = &DrawingPause::Hide, unhide = &DrawingPause::Unhide,
             beginSpell = &DrawingPause::BeginMinimisedSpell, endSpell = &DrawingPause::EndMinimisedSpell,
             suspend = &DrawingPause::SuspendDrawing, resume = &DrawingPause::ResumeDrawing,
             freeze = [](DrawingPause& p) { p.SetTimeFrozenByUser(true); };
  const Case cases[] = {
      {"deactivation pauses", {deactivate}, kPaused},
      {"activation resumes", {deactivate, activate}, kResumed},
      {"activation while minimised", {minimise, deactivate, activate}, {}},
      {"activation while hidden", {hide, deactivate, activate}, {}},
      {"restore resumes", {minimise, restore}, kResumed},
      {"restore while hidden", {hide, minimise, restore}, {}},
      {"unhide resumes", {hide, unhide}, kResumed},
      {"unhide while minimised", {minimise, hide, unhide}, {}},
      {"moving or sizing", {beginSpell}, kPaused},
      {"after moving", {beginSpell, endSpell}, kResumed},
      {"after moving while hidden", {hide, beginSpell, endSpell}, {}},
      {"resume drawing", {suspend, resume}, kResumed},
      {"resume drawing while minimised", {minimise, suspend, resume}, {}},
      {"resume drawing while hidden", {hide, suspend, resume}, {}},
      {"freeze by user", {freeze}, {TimeFrozen(true)}},
      {"resume keeps the user's freeze", {freeze, deactivate, activate}, kResumedFrozen},
      {"pause sends the same when frozen", {freeze, deactivate}, kPaused},
      {"release", {freeze, [](DrawingPause& p) { p.SetTimeFrozenByUser(false); }}, {TimeFrozen(false)}},
      // Before it: nothing starts the picture but the end of the first show.
      {"activation before the first show", {deactivate, activate}, {}, false},
      {"resume drawing before the first show", {suspend, resume}, {}, false},
      {"unhide before the first show", {hide, unhide}, {}, false},
      {"the first show", {beginSpell, endSpell}, kResumed, false},
  };
  for (const Case& c : cases) {
    test::RecordingDrawer drawer;
    DrawingPause pause(drawer);
    if (c.shown) {
      pause.BeginMinimisedSpell();
      pause.EndMinimisedSpell();
    }
    for (const Step& step : c.steps) {
      drawer.calls.clear();
      step(pause);
    }
    EXPECT_EQ(drawer.calls, c.last) << c.name;
  }
}

}  // namespace
}  // namespace corvane
