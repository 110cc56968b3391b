#pragma once
// The background colour window: R, G, B and A, each as a slider, a number
// list and an up-down kept in step, every change sent at once.

#include <array>
#include <memory>

#include "forms/tool_windows/tool_form_host.h"
#include "forms/tool_windows/tool_form_rules.h"
#include "forms/tool_windows/tool_form_win32.h"
#include "gui/gui_win32.h"

namespace corvane {

class TBackgroundForm final : public gui::Form {
 public:
  explicit TBackgroundForm(ToolFormHost& host);
  ~TBackgroundForm() override;
  const char* ClassName() const noexcept override { return "TBackgroundForm"; }

  // The main window set parameters 65..68 by another road: the controls
  // follow the drawing thread's colour, shown or not.
  void ColorChanged(BackgroundColor color);

  struct Row {
    std::unique_ptr<gui::Label> label;
    std::unique_ptr<gui::TrackBar> slider;
    std::unique_ptr<gui::ComboBox> number;
    std::unique_ptr<gui::UpDown> upDown;
    bool ignoreNextChange = false;
  };
  Row& RowAt(int channel) { return rows_.at(static_cast<size_t>(channel)); }
  bool Shown() const noexcept { return shown_; }

  // Its place in the main window's tool-window list.
  ToolWindow& Tool() noexcept { return tool_; }

 private:
  void ShowChannels();
  void ShowChannel(int channel);
  void PositionChanged(int channel, int position);
  void TextChanged(int channel, const std::string& text);

  ToolFormHost& host_;
  BackgroundChannels channels_;
  bool shown_ = false;
  std::array<Row, BackgroundChannels::kCount> rows_;
  ToolForm tool_{*this};
};

}  // namespace corvane
