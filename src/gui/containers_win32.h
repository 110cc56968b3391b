#pragma once
// Controls that hold other controls: panels, group boxes, tool bars and tab
// pages. Children give their bounds relative to the container.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/controls_win32.h"

namespace corvane::gui {

enum class PanelBorder { None, Single, Lowered, Raised };

// A plain area of the layer's own class. Derive from it to see its raw
// messages (an OpenGL preview handles its painting itself).
class Panel : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    PanelBorder border = PanelBorder::None;
    int systemColour = COLOR_BTNFACE;  // a GetSysColor index
  };
  explicit Panel(const CreateArgs& args);
  ~Panel() override;
  const char* ClassName() const noexcept override { return "Panel"; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int systemColour_;
};

// A captioned frame; also the parent of the controls drawn inside it.
class GroupBox final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::string caption;
  };
  explicit GroupBox(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "GroupBox"; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A strip docked at the top with text buttons of one size in a row.
class ToolBar final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    Size buttonSize{60, 21};  // 96 dpi
    FontSpec buttonFont{};
  };
  explicit ToolBar(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "ToolBar"; }
  // Buttons go left to right in the order they are added.
  Button& AddButton(const std::string& text, std::string hint = {});
  Button& ButtonAt(size_t index) { return *buttons_.at(index); }
  size_t ButtonCount() const noexcept { return buttons_.size(); }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  Size buttonSize_;
  FontSpec buttonFont_;
  std::vector<std::unique_ptr<Button>> buttons_;
};

class TabControl;

// One page of a tab control; controls placed on it use it as their parent.
class TabPage final : public Control {
 public:
  const char* ClassName() const noexcept override { return "TabPage"; }
  const std::string& Caption() const noexcept { return caption_; }
  int Index() const noexcept { return index_; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  friend class TabControl;
  TabPage(TabControl& tabs, std::string caption, int index);
  std::string caption_;
  int index_;
};

class TabControl final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::vector<std::string> pages;
  };
  explicit TabControl(const CreateArgs& args);
  ~TabControl() override;
  const char* ClassName() const noexcept override { return "TabControl"; }
  TabPage& AddPage(const std::string& caption);
  TabPage& Page(size_t index) { return *pages_.at(index); }
  size_t PageCount() const noexcept { return pages_.size(); }
  int ActivePage() const;
  void SetActivePage(int index);  // does not fire onChange, as the system's own
  std::function<void()> onChange;
  void LayoutChildren() override;

 protected:
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ShowActive();
  std::vector<std::unique_ptr<TabPage>> pages_;
};

}  // namespace corvane::gui
