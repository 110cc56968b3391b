#include <gtest/gtest.h>

#include <string>

#include "forms/main_window/main_form_rules.h"
#include "forms/tool_windows/tool_windows.h"
#include "recording_drawer.h"

namespace corvane {
namespace {

// A tool window that only keeps its state and a journal of what was asked.
class FakeToolWindow final : public ToolWindow {
 public:
  bool Visible() const override { return visible; }
  bool Active() const override { return active; }
  bool StayOnTop() const override { return stayOnTop; }
  void SetStayOnTop(bool on) override { stayOnTop = on; }
  void BringToFront() override { journal += "front "; }

  bool visible = false, active = false, stayOnTop = true;
  std::string journal;

 protected:
  void ShowWindow() override {
    visible = true;
    journal += "show ";
  }
  void HideWindow() override {
    visible = false;
    journal += "hide ";
  }
};

struct Tools {
  FakeToolWindow background, quickInfo;
  ToolWindows list;
  gui::ScopedSlot<ToolWindow*> joinedBackground = list.Join(ToolSlot::Background, background);
  gui::ScopedSlot<ToolWindow*> joinedQuickInfo = list.Join(ToolSlot::QuickInfo, quickInfo);
};

TEST(ToolWindows, AWindowLeavesItsSlotWhenItsJoinEnds) {
  ToolWindows list;
  FakeToolWindow editor;
  editor.visible = true;
  {
    auto joined = list.Join(ToolSlot::Editor, editor);
    EXPECT_TRUE(list.Visible(ToolSlot::Editor));
  }
  EXPECT_EQ(list.At(ToolSlot::Editor), nullptr);
  list.Toggle(ToolSlot::Editor);
  EXPECT_EQ(editor.journal, "");
}

TEST(ToolWindows, ToggleBringsAFullScreenWindowToTheFrontFirst) {
  struct Case {
    bool visible, active, stayOnTop;
    const char* journal;
    bool visibleAfter;
  };
  const Case cases[] = {
      {false, false, true, "show ", true},
      {true, false, true, "hide ", false},
      {true, true, false, "hide ", false},
      {true, false, false, "front ", true},
      {false, false, false, "show ", true},
  };
  for (const Case& c : cases) {
    Tools tools;
    tools.quickInfo.visible = c.visible;
    tools.quickInfo.active = c.active;
    tools.quickInfo.stayOnTop = c.stayOnTop;
    tools.list.Toggle(ToolSlot::QuickInfo);
    EXPECT_EQ(tools.quickInfo.journal, c.journal);
    EXPECT_EQ(tools.quickInfo.visible, c.visibleAfter);
  }
  // A window that does not exist yet: nothing at all.
  Tools tools;
  tools.list.Toggle(ToolSlot::Editor);
  EXPECT_EQ(tools.list.At(ToolSlot::Editor), nullptr);
}

TEST(ToolWindows, DoubleClickInTheNormalStateHidesAndRestoresAll) {
  Tools tools;
  EXPECT_TRUE(tools.list.DoubleClick(false)) << "nothing visible or remembered: the editor is wanted";
  tools.quickInfo.visible = true;
  EXPECT_FALSE(tools.list.DoubleClick(false));
  EXPECT_FALSE(tools.quickInfo.visible);
  EXPECT_FALSE(tools.list.MeantShown());
  EXPECT_TRUE(tools.list.AnyRememberedHidden());
  EXPECT_EQ(tools.background.journal, "") << "a hidden window is not remembered as visible";

  EXPECT_FALSE(tools.list.DoubleClick(false));
  EXPECT_TRUE(tools.quickInfo.visible);
  EXPECT_FALSE(tools.background.visible);
  EXPECT_TRUE(tools.list.MeantShown());
  EXPECT_FALSE(tools.list.AnyRememberedHidden());
}

TEST(ToolWindows, DoubleClickWhenMaximisedFrontsVisibleAndRestoresHidden) {
  Tools tools;
  tools.quickInfo.visible = true;
  tools.background.visible = true;
  tools.background.HideRemembering();
  tools.quickInfo.journal = tools.background.journal = "";
  EXPECT_FALSE(tools.list.DoubleClick(true));
  EXPECT_EQ(tools.quickInfo.journal, "front ");
  EXPECT_EQ(tools.background.journal, "show ");
  EXPECT_TRUE(tools.list.MeantShown());
}

TEST(ToolWindows, HidingTwiceKeepsWhatWasRemembered) {
  FakeToolWindow window;
  window.visible = true;
  window.HideRemembering();
  window.HideRemembering();
  EXPECT_TRUE(window.RememberedHidden());
  window.Restore();
  EXPECT_TRUE(window.visible);
  // The user's own hide forgets: a restore then brings nothing back.
  window.HideRemembering();
  window.Hide();
  window.Restore();
  EXPECT_FALSE(window.visible);
}

TEST(ModalWithPause, HidesEverythingAroundTheModalWindowAndPutsItBack) {
  struct Case {
    const char* name;
    bool toolsMeantShown, maximised, quickInfoVisibleAfter;
  };
  const Case cases[] = {
      {"tool windows shown", true, false, true},
      {"tool windows switched off", false, false, false},
      {"switched off but full screen", false, true, true},
  };
  for (const Case& c : cases) {
    Tools tools;
    tools.quickInfo.visible = true;
    if (!c.toolsMeantShown) tools.list.DoubleClick(false);
    test::RecordingDrawer drawer;
    DrawingPause pause(drawer);
    pause.EndMinimisedSpell();  // the main window is on the screen
    drawer.Take();
    std::string journal;
    ModalWithPauseSteps steps;
    steps.showMainWindow = [&](bool visible) { journal += visible ? "main-shown " : "main-hidden "; };
    steps.showModal = [&] {
      journal += tools.quickInfo.visible ? "modal-with-tools " : "modal ";
      EXPECT_TRUE(pause.IsHidden());
      EXPECT_EQ(drawer.Take(), (std::vector<test::SentCall>{test::Animating(false), test::TimeFrozen(true)}));
    };
    steps.maximised = c.maximised;
    RunModalWithPause(tools.list, pause, steps);
    EXPECT_EQ(journal, "main-hidden modal main-shown ") << c.name;
    EXPECT_EQ(tools.quickInfo.visible, c.quickInfoVisibleAfter) << c.name;
    EXPECT_FALSE(pause.IsHidden());
    EXPECT_EQ(drawer.Take(), (std::vector<test::SentCall>{test::TimeFrozen(false), test::Animating(true)}));
    // What was switched off stays remembered for the next double click.
    EXPECT_EQ(tools.list.AnyRememberedHidden(), !c.quickInfoVisibleAfter) << c.name;
  }
}

}  // namespace
}  // namespace corvane
