#pragma once
// TQuickInfoForm: "Quick Info", the list of hot keys and mouse controls.
// The keys pressed in it are the main window's hot keys.

#include "forms/main_window/main_form_win32.h"
#include "forms/tool_windows/tool_form_win32.h"
#include "gui/gui_win32.h"

namespace corvane {

class TQuickInfoForm final : public gui::Form {
 public:
  explicit TQuickInfoForm(TMainForm& mainForm);
  const char* ClassName() const noexcept override { return "TQuickInfoForm"; }
  ToolWindow& AsToolWindow() noexcept { return tool_; }

 private:
  gui::Edit textView_;
  ToolForm tool_{*this};
};

}  // namespace corvane
