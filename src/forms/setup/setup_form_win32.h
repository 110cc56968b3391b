#pragma once
// The "Setup" window: installs the program as the screen saver, removes it
// again, and reports each step in its text area.

#include <functional>
#include <string>
#include <vector>

#include "gui/gui_win32.h"
#include "presets/setup_steps.h"

namespace corvane {

class TSetupForm final : public gui::Form {
 public:
  explicit TSetupForm(SetupSystem& system);
  const char* ClassName() const noexcept override { return "TSetupForm"; }

  // Starts again from the information block; the check box shows only when
  // the window opens by itself at the first showing of the main window.
  void Prepare(bool automatic);
  gui::ModalResult ShowSetupModal(bool automatic);
  // Runs after "Install" stored the presets: the editor refills its list.
  std::function<void()> onPresetsStored;

  gui::Edit& ReportArea() { return report_; }
  gui::Button& InstallButton() { return install_; }
  gui::Button& RemoveButton() { return remove_; }
  gui::CheckBox& DontShowBox() { return dontShow_; }

 private:
  // A failure that abandons the run is shown in a box this window owns; the
  // window stays, its report unchanged.
  void Run(const std::function<std::vector<std::string>()>& steps);
  // Earlier reports move down.
  void AddReport(const std::vector<std::string>& lines);

  SetupSystem& system_;
  std::vector<std::string> lines_;
  // The report is read, never tabbed into.
  gui::Edit report_{{.parent = this, .bounds = {8, 8, 401, 225}, .font = {.face = "Courier New", .height = 12},
                     .tabStop = false, .multiLine = true, .readOnly = true, .verticalScroll = true}};
  gui::Button install_{{.parent = this, .bounds = {200, 248, 65, 25}, .text = "Install"}};
  gui::Button remove_{{.parent = this, .bounds = {272, 248, 65, 25}, .text = "Remove"}};
  gui::Button close_{{.parent = this, .bounds = {344, 248, 65, 25}, .text = "Close", .isCancel = true,
                      .modalResult = gui::ModalResult::Cancel}};
  gui::CheckBox dontShow_{
      {.parent = this, .bounds = {8, 248, 177, 17}, .visible = false, .text = "Don't show this window again"}};
};

// The entry the main window and the editor's "Setup..." item call: the one
// "Setup" window of the process on the running system, shown modally.
// `automatic` is true only for the first showing of the main window while
// the program's key is missing or "ShowSetup" is set.
void ShowSetupModal(bool automatic, const std::function<void()>& presetsStored = {});

}  // namespace corvane
