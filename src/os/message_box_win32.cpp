#include <windows.h>

#include "os/message_box.h"
#include "os/text_win32.h"

namespace corvane {

void ShowNativeMessageBox(const MessageBoxRequest& request) {
  UINT flags = MB_OK;
  switch (request.icon) {
    case BoxIcon::Error: flags |= MB_ICONERROR; break;
    case BoxIcon::Warning: flags |= MB_ICONWARNING; break;
    case BoxIcon::Information: flags |= MB_ICONINFORMATION; break;
    case BoxIcon::Question: flags |= MB_ICONQUESTION; break;
  }
  if (request.systemModal) flags |= MB_SYSTEMMODAL;
  MessageBoxW(static_cast<HWND>(request.owner), Widen(request.text).c_str(), Widen(request.caption).c_str(), flags);
}

void* ActiveWindowOfThread() { return GetActiveWindow(); }

}  // namespace corvane
