#pragma once
// Made before the window under test, so that it, not that window, is the
// application's main form (whose close ends the application); it carries the
// main window's class name, as the error log prints it.

#include "gui/gui_win32.h"

namespace corvane::test {

class StandInMainForm final : public gui::Form {
 public:
  StandInMainForm() : Form({.caption = "Corvane", .client = {200, 100}}) {}
  const char* ClassName() const noexcept override { return "TMainForm"; }
};

}  // namespace corvane::test
