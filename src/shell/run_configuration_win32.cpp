// The configuration mode: the settings dialog as the program's only form,
// modal to the settings window of the system that started it.
#include <windows.h>

#include "forms/configuration/settings_form_win32.h"
#include "gui/gui_win32.h"
#include "shell/command_line.h"
#include "shell/run_modes.h"
#include "workers/error_log.h"

namespace corvane {
namespace {

// The window after "/c:" when it is one; anything else means no owner.
HWND ConfigurationOwner(const std::vector<std::string>& arguments) {
  std::optional<uintptr_t> handle = ConfigurationOwnerHandle(arguments);
  if (!handle) return nullptr;
  HWND window = reinterpret_cast<HWND>(*handle);
  return IsWindow(window) ? window : nullptr;
}

// No taskbar button for the dialog: the hidden owner becomes a tool window.
void HideFromTaskbar(HWND hiddenOwner) {
  SetLastError(0);
  LONG_PTR style = GetWindowLongPtrW(hiddenOwner, GWL_EXSTYLE);
  if (style == 0 && GetLastError() != 0) {
    LogLastOSError();
    return;
  }
  SetLastError(0);
  if (SetWindowLongPtrW(hiddenOwner, GWL_EXSTYLE, style | WS_EX_TOOLWINDOW) == 0 && GetLastError() != 0)
    LogLastOSError();
}

// Disables the owner for the dialog's life; gives it back enabled and active.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner) {
    if (owner_) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() {
    if (!owner_) return;
    EnableWindow(owner_, TRUE);
    SetForegroundWindow(owner_);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
};

}  // namespace

void RunConfiguration(const std::vector<std::string>& arguments) {
  gui::Application application;
  HideFromTaskbar(application.OwnerHandle());
  application.SetExceptionHandler([](const gui::HandlerFailure& failure) {
    LogErrors(ApplicationExceptionRecord("TSettingsForm", failure.senderClass, failure.exception));
  });
  HWND owner = ConfigurationOwner(arguments);
  TSettingsForm form;
  if (owner) SetWindowLongPtrW(form.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  OwnerDisabled disabled(owner);
  form.Show();
  application.Run();
}

}  // namespace corvane
