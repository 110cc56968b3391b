#pragma once
// The main window's operations offered to other windows, as far as they
// are decisions rather than window work: caption and status-bar texts,
// parameter changes, and the modal-with-pause sequence.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "forms/main_window/drawer_senders.h"
#include "forms/main_window/drawing_pause.h"
#include "forms/tool_windows/tool_windows.h"

namespace corvane {

inline constexpr char kMainCaption[] = "Corvane";

// "Corvane | <width> x <height> | <text>".
std::string MainCaptionText(int clientWidth, int clientHeight, std::string_view text);

// The three status-bar panels. ShowStatus writes each given text with one
// leading space: a to panel 1, b to panel 0, c to panel 2; an absent text
// leaves its panel as it is.
class StatusPanels {
 public:
  static constexpr int kCount = 3;
  static constexpr std::array<int, kCount> kWidths{80, 80, 50};

  void ShowStatus(std::optional<std::string_view> a, std::optional<std::string_view> b = std::nullopt,
                  std::optional<std::string_view> c = std::nullopt);
  const std::string& Text(int panel) const { return texts_.at(static_cast<size_t>(panel)); }

 private:
  std::array<std::string, kCount> texts_;
};

// SetParam, the background colour read back for the background window when
// one of its parameters changed, and the status texts that say so.
void SetPresetParam(DrawerSenders& drawer, StatusPanels& status, int number, double value,
                    const std::function<void(BackgroundColor)>& backgroundChanged);
bool IsBackgroundParam(int number);

// Shows another window modally with the picture paused and the main and
// tool windows out of the way, then puts everything back.
struct ModalWithPauseSteps {
  std::function<void(bool visible)> showMainWindow;
  std::function<void()> showModal;
  bool maximised = false;
};
void RunModalWithPause(ToolWindows& tools, DrawingPause& pause, const ModalWithPauseSteps& steps);

}  // namespace corvane
