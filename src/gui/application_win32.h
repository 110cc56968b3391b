#pragma once
// The application: message loop, key preview, application events, the
// hidden owner window and the application-level exception handler.

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "os/exception.h"

namespace corvane::gui {

class Form;

// What the application-level handler is told about a handler that raised.
struct HandlerFailure {
  std::string formClass;    // the form whose event it was ("Handler")
  std::string senderClass;  // the control, menu item, timer or form that raised ("Raiser")
  ExceptionFacts exception;
};

class Application {
 public:
  // One per process, made on the thread that owns the windows, before them.
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The running application; raises EGuiError when there is none.
  static Application& Instance();
  static Application* Current() noexcept { return current_; }

  // Serves messages until Terminate. Without an installed handler, the
  // first exception a handler raised ends the loop and is raised here.
  void Run();
  // Serves the messages already queued, then returns.
  void ProcessMessages();
  // Ends Run and every modal loop.
  void Terminate() noexcept;
  bool Terminated() const noexcept { return terminated_; }

  // The hidden window that owns the forms without a taskbar button.
  HWND OwnerHandle() const noexcept;
  // The first form made; closing it terminates the application.
  Form* MainForm() const noexcept { return mainForm_; }

  // Application events: another program's window became active or ours did;
  // the main form was minimised or restored from it.
  std::function<void()> onActivate, onDeactivate, onMinimize, onRestore;
  bool Active() const noexcept { return active_; }
  bool Minimized() const noexcept { return minimized_; }

  // The handler is called inside the catch block with the facts; after it
  // the application terminates. A handler that raises itself is ignored.
  // Only the first failure is reported: handlers that raise while the
  // windows are torn down (a form resized as its menu goes) must not reach
  // a handler whose captures may be gone by then.
  using ExceptionHandler = std::function<void(const HandlerFailure&)>;
  void SetExceptionHandler(ExceptionHandler handler) { exceptionHandler_ = std::move(handler); }
  // Call only inside a catch block.
  static void ReportCurrentException(const char* formClass, const char* senderClass) noexcept;

  // One message through key preview, accelerators and dialog keys, then to
  // its window. Used by Run and the modal loops.
  void ProcessMessage(MSG& message);
  // Waits for and serves one message; false once the loop must end.
  bool HandleMessage();

  // Internal: forms report to the application.
  void FormCreated(Form& form);
  void FormDestroyed(Form& form) noexcept;
  void ActivateApp(bool active);
  void MainFormSized(UINT sizeKind);

 private:
  class OwnerWindow;
  static Application* current_;
  std::unique_ptr<OwnerWindow> owner_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  bool failed_ = false;
  bool active_ = false;
  bool minimized_ = false;
  ExceptionHandler exceptionHandler_;
  std::exception_ptr pending_;
};

}  // namespace corvane::gui
