// The "Setup" window with real windows and the real registry, below a key of
// the test's own: the file types and the control panel key go there too.
#include <windows.h>

#include <gtest/gtest.h>

#include "../presets/fake_setup_system.h"
#include "../presets/test_registry.h"
#include "forms/setup/setup_form_win32.h"
#include "os/text_win32.h"
#include "presets/registry_store.h"
#include "support/form_checks.h"
#include "support/test_support.h"

namespace corvane {
namespace {

class MainStandIn final : public gui::Form {
 public:
  MainStandIn() : Form({.caption = "Main", .client = {100, 100}}) {}
  const char* ClassName() const noexcept override { return "TMainStandIn"; }
};

class SetupFormTest : public ::testing::Test {
 protected:
  // Lines of the report area as the window system holds them.
  std::vector<std::string> ReportLines() {
    std::string text = form_.ReportArea().Text();
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
  }
  void Press(gui::Control& control) { SendMessageW(control.Handle(), BM_CLICK, 0, 0); }

  gui::Application application_;
  MainStandIn main_;
  test::ScopedTestRegistry registry_{SystemRegistry()};
  test::FakeSetupSystem system_{SystemRegistry(), registry_.Parent() + "\\"};
  TSetupForm form_{system_};
};

TEST_F(SetupFormTest, WindowControlsAndInformation) {
  RECT client;
  GetClientRect(form_.Handle(), &client);
  EXPECT_EQ(form_.Text(), "Setup");
  EXPECT_EQ(MulDiv(client.right, 96, form_.FormDpi()), 418);
  EXPECT_EQ(MulDiv(client.bottom, 96, form_.FormDpi()), 282);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form_.ReportArea().Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(Narrow(font.lfFaceName), "Courier New");
  LONG_PTR style = GetWindowLongPtrW(form_.ReportArea().Handle(), GWL_STYLE);
  EXPECT_TRUE((style & ES_READONLY) && (style & WS_VSCROLL) && !(style & WS_TABSTOP));

  for (bool automatic : {true, false}) {
    form_.Prepare(automatic);
    form_.Show();
    EXPECT_EQ(IsWindowVisible(form_.DontShowBox().Handle()) != 0, automatic);
    std::vector<std::string> lines = ReportLines();
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Information");
    EXPECT_EQ(lines[2], "Current screen saver : None");
    EXPECT_EQ(lines[6], "Version of Corvane.scr in the SysDir : N/A");
    form_.Hide();
  }
}

TEST_F(SetupFormTest, KeyboardReachesEveryControlAndEveryTextFits) {
  form_.Prepare(true);  // with the check box
  form_.Show();
  test::ExpectTabReachesEveryControlOnce(application_, form_);
  test::ExpectEveryTextFitsAt96And144Dpi(form_);
}

TEST_F(SetupFormTest, InstallThenRemoveStackReportsOnTop) {
  system_.files[std::string(test::FakeSetupSystem::kPresetDir) + "Gallery.cvp"] = "RotationX=1.5\r\n";
  form_.Prepare(true);
  form_.Show();
  Press(form_.InstallButton());
  std::vector<std::string> lines = ReportLines();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "Installation started");
  EXPECT_EQ(lines[7], "Installation completed");
  EXPECT_EQ(lines[9], "Information");  // the information block moved down
  std::vector<std::string> names;
  EXPECT_TRUE(ListPresetNames(names));
  EXPECT_EQ(names, std::vector<std::string>{"Gallery"});

  Press(form_.RemoveButton());
  lines = ReportLines();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[7], "Uninstallation completed");
  EXPECT_EQ(lines[9], "Installation started") << "the newest report on top";
}

// What the window adds to a run that raises: the box it owns, and staying.
TEST_F(SetupFormTest, FailedRunsShowTheirMessageAndTheWindowStays) {
  std::string locked = std::string(test::FakeSetupSystem::kPresetDir) + "Locked.cvp";
  system_.files[locked] = "RotationX=1\r\n";
  system_.unreadable.insert(locked);
  form_.Prepare(false);
  form_.Show();
  std::vector<std::string> before = ReportLines();
  test::ClearMessageBoxes();
  Press(form_.InstallButton());
  system_.files.erase(locked);
  system_.shellResult = 2;
  system_.SetCurrentSaver("C:\\Windows\\system32\\Corvane.scr");
  Press(form_.RemoveButton());

  std::vector<MessageBoxRequest> boxes = test::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Cannot open file \"" + locked + "\". Access is denied");
  EXPECT_EQ(boxes[1].text, "The specified file was not found.");
  for (const MessageBoxRequest& box : boxes) {
    EXPECT_EQ(box.owner, form_.Handle());
    EXPECT_EQ(box.icon, BoxIcon::Error);
  }
  EXPECT_EQ(ReportLines(), before);
  EXPECT_FALSE(application_.Terminated());
  EXPECT_TRUE(IsWindowVisible(form_.Handle()));
}

TEST_F(SetupFormTest, CheckBoxWritesTheFlagAndClosingHidesIt) {
  form_.Prepare(true);
  form_.Show();
  bool showSetup = false;
  Press(form_.DontShowBox());
  EXPECT_TRUE(ReadShowSetup(showSetup));
  EXPECT_FALSE(showSetup);
  Press(form_.DontShowBox());
  EXPECT_TRUE(ReadShowSetup(showSetup));
  EXPECT_TRUE(showSetup);
  form_.Hide();

  // The close request waits in the queue, so the modal loop ends at once.
  PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form_.ShowSetupModal(true), gui::ModalResult::Cancel);
  EXPECT_FALSE(IsWindowVisible(form_.DontShowBox().Handle()));
  EXPECT_FALSE(form_.DontShowBox().Checked());
}

}  // namespace
}  // namespace corvane
