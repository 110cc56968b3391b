#include "forms/main_window/main_form_rules.h"

#include "figure/preset_params.h"

namespace corvane {

std::string MainCaptionText(int clientWidth, int clientHeight, std::string_view text) {
  return std::string(kMainCaption) + " | " + std::to_string(clientWidth) + " x " + std::to_string(clientHeight) +
         " | " + std::string(text);
}

void StatusPanels::ShowStatus(std::optional<std::string_view> a, std::optional<std::string_view> b,
                              std::optional<std::string_view> c) {
  const std::array<std::pair<int, std::optional<std::string_view>>, kCount> writes{{{1, a}, {0, b}, {2, c}}};
  for (const auto& [panel, text] : writes)
    if (text) texts_[static_cast<size_t>(panel)] = " " + std::string(*text);
}

bool IsBackgroundParam(int number) { return number >= 65 && number <= 68; }

void SetPresetParam(DrawerSenders& drawer, StatusPanels& status, int number, double value,
                    const std::function<void(BackgroundColor)>& backgroundChanged) {
  drawer.SetParam(number, value);
  if (IsBackgroundParam(number)) {
    const BackgroundColor color = drawer.GetBackgroundColor();
    if (backgroundChanged) backgroundChanged(color);
  }
  status.ShowStatus("Changed", ParamName(number));
}

void RunModalWithPause(ToolWindows& tools, DrawingPause& pause, const ModalWithPauseSteps& steps) {
  pause.Hide();
  tools.HideAllRemembering();
  steps.showMainWindow(false);
  steps.showModal();
  steps.showMainWindow(true);
  if (!tools.MeantShown() && !steps.maximised) {
    pause.Unhide();
    return;
  }
  tools.RestoreAll();
  pause.Unhide();
}

}  // namespace corvane
