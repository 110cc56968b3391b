#include "gui/application_win32.h"

#include <commctrl.h>

#include "gui/form_site.h"
#include "gui/window_win32.h"
#include "os/os_error.h"

namespace corvane::gui {

Application* Application::current_ = nullptr;

// Hidden, never shown: owns the forms that have no taskbar button and hears
// the application's activation like every top-level window.
class Application::OwnerWindow final : public Window {
 public:
  explicit OwnerWindow(Application& application) : application_(application) {
    CreateOwn(0, WS_POPUP, "Corvane", nullptr);
  }
  const char* ClassName() const noexcept override { return "Application"; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_ACTIVATEAPP) application_.ActivateApp(wParam != 0);
    return false;
  }

 private:
  Application& application_;
};

Application::Application() {
  if (current_) throw EGuiError("The application exists already.");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  current_ = this;
  try {
    owner_ = std::make_unique<OwnerWindow>(*this);
  } catch (...) {
    current_ = nullptr;
    throw;
  }
  SetFailureReport(&Application::ReportCurrentException);
}

Application::~Application() {
  owner_.reset();
  SetFailureReport(nullptr);
  current_ = nullptr;
  // The quit this application posted is its own; a later one must not see it.
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

Application& Application::Instance() {
  if (!current_) throw EGuiError("There is no application.");
  return *current_;
}

HWND Application::OwnerHandle() const noexcept { return owner_->Handle(); }

void Application::Terminate() noexcept {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void Application::ProcessMessage(MSG& message) {
  if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
    // The form a key is meant for is the top-level window of its target.
    if (auto* form = dynamic_cast<FormSite*>(Window::FromHandle(GetAncestor(message.hwnd, GA_ROOT))))
      if (form->PreTranslate(message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

bool Application::HandleMessage() {
  if (terminated_) return false;
  MSG message;
  BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got == -1) RaiseLastOSErrorAt();
  if (got == 0) {
    terminated_ = true;
    return false;
  }
  ProcessMessage(message);
  return !terminated_;
}

void Application::ProcessMessages() {
  MSG message;
  while (!terminated_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    ProcessMessage(message);
  }
}

void Application::Run() {
  while (HandleMessage()) {
  }
  if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
}

void Application::ReportCurrentException(const char* formClass, const char* senderClass) noexcept {
  Application* application = current_;
  if (!application) {
    PostQuitMessage(0);  // nobody to tell: at least end the loop
    return;
  }
  if (application->failed_) return;  // the first failure has ended it already
  application->failed_ = true;
  if (application->exceptionHandler_) {
    try {
      HandlerFailure failure{formClass, senderClass, DescribeCurrentException()};
      application->exceptionHandler_(failure);
    } catch (...) {
      // The handler's own failure has nowhere further to go.
    }
  } else {
    application->pending_ = std::current_exception();
  }
  application->Terminate();
}

void Application::FormCreated(Form& form) {
  if (!mainForm_) mainForm_ = &form;
}

void Application::FormDestroyed(Form& form) noexcept {
  if (mainForm_ == &form) mainForm_ = nullptr;
}

void Application::ActivateApp(bool active) {
  // Every top-level window hears the same switch; report it once.
  if (active == active_) return;
  active_ = active;
  auto& handler = active ? onActivate : onDeactivate;
  if (handler) handler();
}

void Application::MainFormSized(UINT sizeKind) {
  if (sizeKind == SIZE_MINIMIZED && !minimized_) {
    minimized_ = true;
    if (onMinimize) onMinimize();
  } else if ((sizeKind == SIZE_RESTORED || sizeKind == SIZE_MAXIMIZED) && minimized_) {
    minimized_ = false;
    if (onRestore) onRestore();
  }
}

}  // namespace corvane::gui
