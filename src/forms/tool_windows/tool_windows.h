#pragma once
// The tool windows that float beside the main window (preset editor,
// enhanced settings, background colour, Quick Info): what the main window
// may ask of each, and its rules over all of them. A window joins the list
// when it exists; an empty slot is simply skipped.

#include <array>
#include <cstddef>

#include "gui/scoped_slot.h"

namespace corvane {

class ToolWindow {
 public:
  virtual ~ToolWindow() = default;
  virtual bool Visible() const = 0;
  virtual bool Active() const = 0;
  virtual bool StayOnTop() const = 0;
  virtual void SetStayOnTop(bool stayOnTop) = 0;
  virtual void BringToFront() = 0;

  // The user's show and hide forget any remembered state.
  void Show();
  void Hide();
  // Hides a visible window and remembers it; a window already hidden keeps
  // what it remembered, so hiding twice loses nothing.
  void HideRemembering();
  // Shows the window again if it was hidden remembering.
  void Restore();
  bool RememberedHidden() const { return remembered_ && !Visible(); }

 protected:
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;

 private:
  bool remembered_ = false;
};

enum class ToolSlot { Editor, EnhancedSettings, Background, QuickInfo };

class ToolWindows {
 public:
  // The window stays in its slot while the answer lives.
  gui::ScopedSlot<ToolWindow*> Join(ToolSlot slot, ToolWindow& window) { return {slots_[Index(slot)], &window}; }
  ToolWindow* At(ToolSlot slot) const { return slots_[Index(slot)]; }
  bool Visible(ToolSlot slot) const { return At(slot) && At(slot)->Visible(); }

  bool AnyVisible() const;
  bool AnyRememberedHidden() const;
  void HideAllRemembering();
  void RestoreAll();
  void SetStayOnTop(bool stayOnTop);

  // A hot key's toggle: a visible window that is neither active nor
  // stay-on-top (the full-screen state) comes to the front; otherwise it is
  // shown when hidden and hidden when shown. Nothing when the slot is empty.
  void Toggle(ToolSlot slot);

  // A double click on the main window. Answers whether the preset editor is
  // to be shown instead (no tool window visible or remembered).
  bool DoubleClick(bool maximised);

  // Whether the tool windows are meant to be visible (the double click's
  // switch); the modal-with-pause operation reads it.
  bool MeantShown() const { return meantShown_; }

 private:
  static size_t Index(ToolSlot slot) { return static_cast<size_t>(slot); }
  template <typename F>
  void ForEach(F f) const {
    for (ToolWindow* window : slots_)
      if (window) f(*window);
  }

  std::array<ToolWindow*, 4> slots_{};
  bool meantShown_ = true;
};

}  // namespace corvane
