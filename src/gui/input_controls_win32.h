#pragma once
// Controls the user changes: check boxes, radio groups, edits, combo boxes,
// track bars and up-downs.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/containers_win32.h"

namespace corvane::gui {

class CheckBox final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::string text;
    bool checked = false;
  };
  explicit CheckBox(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "CheckBox"; }
  bool Checked() const;
  void SetChecked(bool checked);  // does not fire onClick
  std::function<void()> onClick;  // after the user changed the mark

 protected:
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A group box with one radio button per item, laid out in columns.
class RadioGroup final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::string caption;
    std::vector<std::string> items;
    int columns = 1;
    int itemIndex = -1;
  };
  explicit RadioGroup(const CreateArgs& args);
  ~RadioGroup() override;
  const char* ClassName() const noexcept override { return "RadioGroup"; }
  int ItemIndex() const noexcept { return itemIndex_; }
  void SetItemIndex(int index);  // -1 clears; does not fire onClick
  size_t ItemCount() const noexcept { return buttons_.size(); }
  HWND ItemHandle(size_t index) const;
  std::function<void()> onClick;  // the user chose an item

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  class Item;
  int itemIndex_ = -1;
  std::vector<std::unique_ptr<Item>> buttons_;
};

class Edit final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::string text;
    bool multiLine = false;
    bool readOnly = false;
    bool verticalScroll = false;
    bool border = true;
    int maxLength = 0;  // characters; 0 = the system's limit
    bool wantAllKeys = false;  // Enter, Esc and Tab reach the edit, not the form
  };
  explicit Edit(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "Edit"; }
  // Lines joined by CR LF, as a multi-line edit holds them.
  void SetLines(const std::vector<std::string>& lines);
  void SelectAll();
  std::function<void()> onChange;             // the text changed
  std::function<void(CharEvent&)> onKeyPress;  // a typed character; 0 drops it
  std::function<void(KeyEvent&)> onKeyDown;
  std::function<void()> onExit;               // the focus left the edit

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool wantAllKeys_;
};

class ComboBox final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::vector<std::string> items;
    bool editable = false;  // false: a drop-down list without typing
    bool sorted = false;
    int visibleRows = 8;
    int maxLength = 0;
    std::string text;  // editable boxes only
  };
  explicit ComboBox(const CreateArgs& args);
  ~ComboBox() override;
  const char* ClassName() const noexcept override { return "ComboBox"; }
  int ItemCount() const;
  std::string Item(int index) const;
  std::vector<std::string> Items() const;
  int AddItem(std::string_view text);  // its index (sorted boxes place it)
  void Clear();
  void SetItems(const std::vector<std::string>& items);
  int IndexOf(std::string_view text) const;  // exact, -1 when absent
  int ItemIndex() const;
  void SetItemIndex(int index);  // does not fire onSelect
  void ApplyDpi() override;
  std::function<void()> onSelect;              // the user picked an item
  std::function<void()> onChange;              // the text changed (picked or typed)
  std::function<void(CharEvent&)> onKeyPress;  // typed into an editable box

 protected:
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
  HWND edit_ = nullptr;
  int visibleRows_;
};

class TrackBar final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    int min = 0, max = 10;
    int position = 0;
    int pageSize = 2;
    int tickFrequency = 1;
    bool ticksOnTop = false;
  };
  explicit TrackBar(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "TrackBar"; }
  int Position() const;
  void SetPosition(int position);  // does not fire onChange
  std::function<void()> onChange;  // the user moved it

 protected:
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int last_ = 0;
};

struct UpDownEvent {
  int position = 0;  // before the click
  int delta = 0;     // +1 up, -1 down
  bool allow = true;
};

class UpDown final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    int min = 0, max = 100;
    int position = 0;
    bool wrap = false;
  };
  explicit UpDown(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "UpDown"; }
  int Position() const;
  void SetPosition(int position);
  std::function<void(UpDownEvent&)> onChanging;  // before the position moves
  std::function<void(bool up)> onClick;          // after it moved

 protected:
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int lastDelta_ = 0;
};

}  // namespace corvane::gui
