#pragma once
// A form as a member of the main window's tool-window list.

#include "forms/tool_windows/tool_windows.h"
#include "gui/gui_win32.h"

namespace corvane {

class ToolForm final : public ToolWindow {
 public:
  explicit ToolForm(gui::Form& form) : form_(form) {}
  bool Visible() const override { return form_.Visible(); }
  bool Active() const override { return GetActiveWindow() == form_.Handle(); }
  bool StayOnTop() const override { return form_.StayOnTop(); }
  void SetStayOnTop(bool stayOnTop) override { form_.SetStayOnTop(stayOnTop); }
  void BringToFront() override { form_.BringToFront(); }

 protected:
  void ShowWindow() override { form_.Show(); }
  void HideWindow() override { form_.Hide(); }

 private:
  gui::Form& form_;
};

}  // namespace corvane
