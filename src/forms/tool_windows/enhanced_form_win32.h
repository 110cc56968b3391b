#pragma once
// The enhanced settings window: the drawing thread's synchronisation and
// v-sync, the priorities of the drawing and calculation threads, and where
// the screen saver draws on a desk of several monitors (written at once).

#include "forms/tool_windows/tool_form_host.h"
#include "forms/tool_windows/tool_form_win32.h"
#include "gui/gui_win32.h"

namespace corvane {

class TEnhancedForm final : public gui::Form {
 public:
  explicit TEnhancedForm(ToolFormHost& host);
  const char* ClassName() const noexcept override { return "TEnhancedForm"; }

  ToolWindow& Tool() noexcept { return tool_; }
  bool Shown() const noexcept { return shown_; }

  gui::ComboBox& SyncList() { return sync_; }
  gui::CheckBox& VSyncCheck() { return vsync_; }
  gui::ComboBox& DrawList() { return draw_; }
  gui::ComboBox& CalcList() { return calc_; }
  gui::ComboBox& MonitorsList() { return monitors_; }

 private:
  void FormShow();
  void ShowVSync();

  ToolFormHost& host_;
  bool shown_ = false;

  gui::GroupBox syncGroup_{{.parent = this, .bounds = {8, 4, 216, 50}, .caption = " Synchronisation "}};
  gui::Label doneLabel_{{.parent = &syncGroup_, .bounds = {10, 22, 34, 16}, .text = "Done"}};
  gui::ComboBox sync_{{.parent = &syncGroup_, .bounds = {48, 18, 90, 21}, .items = {"None", "Flush", "Finish"}}};
  gui::CheckBox vsync_{{.parent = &syncGroup_, .bounds = {148, 20, 60, 17}, .text = "VSync"}};
  gui::GroupBox priorityGroup_{{.parent = this, .bounds = {8, 58, 216, 76}, .caption = " Threads priority "}};
  gui::Label drawLabel_{{.parent = &priorityGroup_, .bounds = {10, 22, 34, 16}, .text = "Draw"}};
  gui::ComboBox draw_{{.parent = &priorityGroup_, .bounds = {48, 18, 120, 21}}};
  gui::Label calcLabel_{{.parent = &priorityGroup_, .bounds = {10, 48, 34, 16}, .text = "Calc"}};
  gui::ComboBox calc_{{.parent = &priorityGroup_, .bounds = {48, 44, 120, 21}}};
  gui::GroupBox saverGroup_{{.parent = this, .bounds = {8, 138, 216, 50}, .caption = " Screen saver "}};
  gui::Label monitorsLabel_{{.parent = &saverGroup_, .bounds = {10, 22, 50, 16}, .text = "Monitors"}};
  gui::ComboBox monitors_{{.parent = &saverGroup_, .bounds = {64, 18, 120, 21}}};
  ToolForm tool_{*this};
};

}  // namespace corvane
