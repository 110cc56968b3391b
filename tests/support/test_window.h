#pragma once
// A real, visible top-level window for the Windows tests of OpenGL on a
// window (under Wine in Xvfb).

#include <windows.h>

#include <string>

namespace corvane::test {

class TestWindow {
 public:
  TestWindow(int width, int height);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return handle_; }
  // Serves the calling thread's pending messages.
  static void PumpMessages();

 private:
  HWND handle_ = nullptr;
};

// A window's caption or a control's text.
std::string WindowText(HWND window);

// The text of one cell of a list view in report mode.
std::string ListViewText(HWND list, int row, int column);

// The edit field inside an editable combo box.
HWND ComboEditField(HWND combo);
// Replaces the whole text of an editable combo box as a paste would.
void PasteIntoCombo(HWND combo, const std::string& text);

}  // namespace corvane::test
