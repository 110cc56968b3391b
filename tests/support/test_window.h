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

// The text of one cell of a list view in report mode.
std::string ListViewText(HWND list, int row, int column);

}  // namespace corvane::test
