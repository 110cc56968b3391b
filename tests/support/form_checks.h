#pragma once
// Checks that every form passes the same way, under Wine: the keyboard
// reaches each control a user can use, and each fixed text fits its control.

#include "gui/gui_win32.h"

namespace corvane::test {

// Starting on the form's first usable control, sends Tab (real key
// messages, served as the application serves them) once per control and
// expects each visible, enabled tab stop of the form to be reached once.
void ExpectTabReachesEveryControlOnce(gui::Application& application, gui::Form& form);

// Measures the text of every visible label, button, check box, radio button,
// group box, status panel and drop-down list item in the control's own font
// against the room the control gives it: at the form's dpi, then at 144 dpi
// (the form is moved there as to another monitor and stays there).
void ExpectEveryTextFitsAt96And144Dpi(gui::Form& form);
// The same at the form's dpi only.
void ExpectEveryTextFits(gui::Form& form);

}  // namespace corvane::test
