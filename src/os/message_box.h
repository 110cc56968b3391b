#pragma once
// Message boxes. Tests install a hook so that no real modal box ever opens;
// on Linux the text goes to stderr.

#include <functional>
#include <string>

namespace corvane {

enum class BoxIcon { Error, Warning, Information, Question };

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  BoxIcon icon = BoxIcon::Error;
  bool systemModal = false;
  // The window the box belongs to and blocks (an HWND on Windows). Left
  // empty, a box that is not system-modal belongs to the thread's active
  // window, so that it comes in front of that window, even a stay-on-top one.
  void* owner = nullptr;
};

void ShowMessageBox(MessageBoxRequest request);

// The error box of the error log: no owner, "Application Error", error icon,
// system-modal.
void ShowErrorBox(const std::string& text);

using MessageBoxHook = std::function<void(const MessageBoxRequest&)>;
// Replaces the real box while it lives; restores the previous one after.
class ScopedMessageBoxHook {
 public:
  explicit ScopedMessageBoxHook(MessageBoxHook hook);
  ~ScopedMessageBoxHook();
  ScopedMessageBoxHook(const ScopedMessageBoxHook&) = delete;
  ScopedMessageBoxHook& operator=(const ScopedMessageBoxHook&) = delete;

 private:
  MessageBoxHook previous_;
};

}  // namespace corvane
