// The "Setup" window with real windows and the real registry, below a key of
// the test's own: the file types and the control panel key go there too. The
// steps and their reports are SetupStepsTest's; the buttons' runs, the report
// on top, setup_window.sh's.
#include <windows.h>

#include <gtest/gtest.h>

#include "../presets/fake_setup_system.h"
#include "../presets/test_registry.h"
#include "forms/setup/setup_form_win32.h"
#include "os/text_win32.h"
#include "presets/registry_store.h"
#include "support/form_checks.h"
#include "support/stand_in_main_form_win32.h"
#include "support/test_support.h"

namespace corvane {
namespace {

class SetupFormTest : public ::testing::Test {
 protected:
  void Press(gui::Control& control) { SendMessageW(control.Handle(), BM_CLICK, 0, 0); }

  gui::Application application_;
  test::StandInMainForm main_;
  test::ScopedTestRegistry registry_{SystemRegistry()};
  test::FakeSetupSystem system_{SystemRegistry(), registry_.Parent() + "\\"};
  TSetupForm form_{system_};
};

TEST_F(SetupFormTest, KeyboardReachesEveryControlAndEveryTextFits) {
  RECT client;
  GetClientRect(form_.Handle(), &client);
  EXPECT_EQ(MulDiv(client.right, 96, form_.FormDpi()), 418);
  EXPECT_EQ(MulDiv(client.bottom, 96, form_.FormDpi()), 282);
  // The report's columns line up in a fixed-pitch font; it is read, never typed in.
  LOGFONTW font{};
  GetObjectW(HFONT(SendMessageW(form_.ReportArea().Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(Narrow(font.lfFaceName), "Courier New");
  LONG_PTR style = GetWindowLongPtrW(form_.ReportArea().Handle(), GWL_STYLE);
  EXPECT_TRUE((style & ES_READONLY) && (style & WS_VSCROLL) && !(style & WS_TABSTOP));
  // The check box only when the window opened by itself.
  for (bool automatic : {true, false, true}) {
    form_.Prepare(automatic);
    EXPECT_EQ(form_.DontShowBox().Visible(), automatic);
  }
  form_.Show();
  test::ExpectTabReachesEveryControlOnce(application_, form_);
  test::ExpectEveryTextFitsAt96And144Dpi(form_);
}

// What the window adds to a run that raises (SetupStepsTest has the run add
// no report): the box it owns, and staying.
TEST_F(SetupFormTest, FailedRunsShowTheirMessageAndTheWindowStays) {
  std::string locked = std::string(test::FakeSetupSystem::kPresetDir) + "Locked.cvp";
  system_.files[locked] = "RotationX=1\r\n";
  system_.unreadable.insert(locked);
  form_.Prepare(false);
  form_.Show();
  test::ClearMessageBoxes();
  Press(form_.InstallButton());
  system_.files.erase(locked);
  system_.shellResult = 2;
  system_.SetCurrentSaver("C:\\Windows\\system32\\Corvane.scr");
  Press(form_.RemoveButton());

  std::vector<MessageBoxRequest> boxes = test::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "The specified file was not found.");
  EXPECT_TRUE(boxes[0].owner == form_.Handle() && boxes[1].owner == form_.Handle());
  EXPECT_TRUE(IsWindowVisible(form_.Handle()));
}

TEST_F(SetupFormTest, CheckBoxWritesTheFlagAndClosingEndsTheModalRun) {
  form_.Prepare(true);
  form_.Show();
  for (bool showSetup : {false, true}) {
    Press(form_.DontShowBox());
    bool stored = !showSetup;
    EXPECT_TRUE(ReadShowSetup(stored));
    EXPECT_EQ(stored, showSetup);
  }
  Press(form_.DontShowBox());  // left checked: the next run starts unchecked
  form_.Hide();

  // The close request waits in the queue, so the modal loop ends at once.
  PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form_.ShowSetupModal(true), gui::ModalResult::Cancel);
  EXPECT_FALSE(form_.DontShowBox().Visible());
  EXPECT_FALSE(form_.DontShowBox().Checked());
}

}  // namespace
}  // namespace corvane
