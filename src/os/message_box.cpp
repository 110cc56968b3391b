#include "os/message_box.h"

#include <mutex>
#include <utility>

namespace corvane {

// Per platform.
void ShowNativeMessageBox(const MessageBoxRequest& request);
void* ActiveWindowOfThread();

namespace {
std::mutex g_hookLock;
// A function-local static: hooks may be installed by other static objects.
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void ShowMessageBox(MessageBoxRequest request) {
  if (!request.owner && !request.systemModal) request.owner = ActiveWindowOfThread();
  MessageBoxHook hook;
  {
    std::lock_guard<std::mutex> lock(g_hookLock);
    hook = Hook();
  }
  if (hook)
    hook(request);
  else
    ShowNativeMessageBox(request);
}

void ShowErrorBox(const std::string& text) {
  ShowMessageBox({text, "Application Error", BoxIcon::Error, true});
}

ScopedMessageBoxHook::ScopedMessageBoxHook(MessageBoxHook hook) {
  std::lock_guard<std::mutex> lock(g_hookLock);
  previous_ = std::exchange(Hook(), std::move(hook));
}

ScopedMessageBoxHook::~ScopedMessageBoxHook() {
  std::lock_guard<std::mutex> lock(g_hookLock);
  Hook() = std::move(previous_);
}

}  // namespace corvane
