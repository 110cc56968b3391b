#pragma once
// The basic controls: labels, buttons, the status bar and timers.

#include <functional>
#include <string>
#include <vector>

#include "gui/events.h"
#include "gui/form_site.h"
#include "gui/window_win32.h"

namespace corvane::gui {

enum class TextAlign { Left, Centre, Right };

// Static text painted by the layer itself: alignment, an etched bevel at
// the top and bottom, and a link look with the hand cursor.
class Label final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::string text;
    TextAlign alignment = TextAlign::Left;
    bool bevelled = false;  // etched lines along the top and bottom edges
    bool link = false;      // hand cursor and link colour; onClick on a click
    bool wordWrap = false;
  };
  explicit Label(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "Label"; }
  std::function<void()> onClick;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Paint();
  TextAlign alignment_;
  bool bevelled_, link_, wordWrap_;
};

class Button final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::string text;
    bool isDefault = false;  // Enter anywhere in the form clicks it
    bool isCancel = false;   // Esc anywhere in the form clicks it
    ModalResult modalResult = ModalResult::None;  // set on the form when clicked
  };
  explicit Button(const CreateArgs& args);
  ~Button() override;
  const char* ClassName() const noexcept override { return "Button"; }
  std::function<void()> onClick;
  // As the user's click: onClick, then the modal result.
  void Click();

 protected:
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  ModalResult modalResult_;
};

// Docked at the bottom. Panel widths are given at 96 dpi; the last panel
// also takes whatever room is left, so that its text is not cut short on a
// wide window. No widths make one simple panel across the bar.
class StatusBar final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::vector<int> panelWidths;
    std::string simpleText;
  };
  explicit StatusBar(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "StatusBar"; }
  int PanelCount() const noexcept { return panelWidths_.empty() ? 1 : int(panelWidths_.size()); }
  void SetPanelText(int index, std::string_view text);
  std::string PanelText(int index) const;
  void ApplyDpi() override;
  Rect ScaledBounds() const override;

 private:
  WPARAM PanelIndex(int index) const;
  std::vector<int> panelWidths_;
};

// A timer of the owner's form; it keeps a message-only window of its own,
// so that it survives the form's handle being recreated.
class Timer final : public Window {
 public:
  struct CreateArgs {
    Window* owner = nullptr;
    unsigned intervalMs = 1000;
    bool enabled = true;
  };
  explicit Timer(const CreateArgs& args);
  ~Timer() override;
  const char* ClassName() const noexcept override { return "Timer"; }
  FormSite* OwnerForm() noexcept override { return owner_ ? owner_->OwnerForm() : nullptr; }
  std::function<void()> onTimer;

  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const noexcept { return intervalMs_; }
  void SetInterval(unsigned intervalMs);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Arm();
  Window* owner_;
  unsigned intervalMs_;
  bool enabled_;
};

}  // namespace corvane::gui
