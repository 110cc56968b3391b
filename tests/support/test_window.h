#pragma once
// A real, visible top-level window for the Windows tests of OpenGL on a
// window (under Wine in Xvfb).

#include <windows.h>

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

}  // namespace corvane::test
