#include "forms/main_window/drawing_pause.h"

namespace corvane {

void DrawingPause::Pause() {
  drawer_.SetAnimating(false);
  drawer_.SetTimeFrozen(true);
}

void DrawingPause::Resume() {
  drawer_.SetTimeFrozen(frozenByUser_);
  drawer_.SetAnimating(true);
}

void DrawingPause::ResumeDrawing() {
  if (!minimised_ && !hidden_) Resume();
}

void DrawingPause::Activated() {
  if (!minimised_ && !hidden_) Resume();
}

void DrawingPause::Minimised() {
  minimised_ = true;
  Pause();
}

void DrawingPause::Restored() {
  minimised_ = false;
  if (!hidden_) Resume();
}

void DrawingPause::BeginMinimisedSpell() { Minimised(); }
void DrawingPause::EndMinimisedSpell() { Restored(); }

void DrawingPause::Hide() {
  hidden_ = true;
  Pause();
}

void DrawingPause::Unhide() {
  hidden_ = false;
  if (!minimised_) Resume();
}

void DrawingPause::SetTimeFrozenByUser(bool frozen) {
  frozenByUser_ = frozen;
  drawer_.SetTimeFrozen(frozen);
}

}  // namespace corvane
