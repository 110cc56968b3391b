#include "forms/tool_windows/tool_windows.h"

namespace corvane {

void ToolWindow::Show() {
  remembered_ = false;
  ShowWindow();
}

void ToolWindow::Hide() {
  remembered_ = false;
  HideWindow();
}

void ToolWindow::HideRemembering() {
  if (!Visible()) return;
  remembered_ = true;
  HideWindow();
}

void ToolWindow::Restore() {
  if (!remembered_) return;
  remembered_ = false;
  ShowWindow();
}

bool ToolWindows::AnyVisible() const {
  bool any = false;
  ForEach([&](ToolWindow& w) { any = any || w.Visible(); });
  return any;
}

bool ToolWindows::AnyRememberedHidden() const {
  bool any = false;
  ForEach([&](ToolWindow& w) { any = any || w.RememberedHidden(); });
  return any;
}

void ToolWindows::HideAllRemembering() {
  ForEach([](ToolWindow& w) { w.HideRemembering(); });
}

void ToolWindows::RestoreAll() {
  ForEach([](ToolWindow& w) { w.Restore(); });
}

void ToolWindows::SetStayOnTop(bool stayOnTop) {
  ForEach([&](ToolWindow& w) { w.SetStayOnTop(stayOnTop); });
}

void ToolWindows::Toggle(ToolSlot slot) {
  ToolWindow* window = At(slot);
  if (!window) return;
  if (window->Visible() && !window->Active() && !window->StayOnTop())
    window->BringToFront();
  else if (window->Visible())
    window->Hide();
  else
    window->Show();
}

bool ToolWindows::DoubleClick(bool maximised) {
  if (!AnyVisible() && !AnyRememberedHidden()) return true;
  if (maximised) {
    ForEach([](ToolWindow& w) {
      if (w.Visible())
        w.BringToFront();
      else
        w.Restore();
    });
  } else if (AnyVisible()) {
    HideAllRemembering();
    meantShown_ = false;
  } else {
    RestoreAll();
    meantShown_ = true;
  }
  return false;
}

}  // namespace corvane
