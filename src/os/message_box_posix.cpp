#include <cstdio>

#include "os/message_box.h"

namespace corvane {

void ShowNativeMessageBox(const MessageBoxRequest& request) {
  std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
}

void* ActiveWindowOfThread() { return nullptr; }

}  // namespace corvane
