#pragma once
// When the main window's picture runs: only while the application is
// active, the window is not minimised (or being moved or sized) and not
// hidden. Paused means no frames and frozen time; the user's own time
// freeze survives pauses. Until the window first shows it counts as
// minimised: the picture starts when the first show ends, never while the
// windows around it are still being made (under Wine, swapping frames into
// a window not yet on the screen while the main thread makes those windows
// has hung both threads).

#include "forms/main_window/drawer_senders.h"

namespace corvane {

class DrawingPause {
 public:
  explicit DrawingPause(DrawerSenders& drawer) : drawer_(drawer) {}

  void Pause();
  void Resume();
  // The bracket other windows put around long operations.
  void SuspendDrawing() { Pause(); }
  void ResumeDrawing();

  // Application events.
  void Deactivated() { Pause(); }
  void Activated();
  void Minimised();
  void Restored();
  // Moving or sizing the window, and the first-show dialog, count as
  // minimised while they last.
  void BeginMinimisedSpell();
  void EndMinimisedSpell();

  void Hide();
  void Unhide();

  // Start / Stop.
  void SetTimeFrozenByUser(bool frozen);
  bool TimeFrozenByUser() const { return frozenByUser_; }
  bool IsMinimised() const { return minimised_; }
  bool IsHidden() const { return hidden_; }

 private:
  DrawerSenders& drawer_;
  bool frozenByUser_ = false;
  bool minimised_ = true;
  bool hidden_ = false;
};

}  // namespace corvane
