// The application mode: the main window and the windows around it, in
// their order of creation, and the application-level exception handler.
#include <memory>

#include "forms/about_form_win32.h"
#include "forms/main_form_win32.h"
#include "forms/quick_info_form_win32.h"
#include "forms/transfer_form_win32.h"
#include "gui/gui_win32.h"
#include "shell/run_modes.h"

namespace corvane {

void RunApplication() {
  gui::Application application;
  InstallApplicationExceptionHandler(application);

  // A wallpapers-list start (kind 3) opens only the wallpapers window once
  // that exists; until then it starts as with no file.
  auto mainForm = std::make_unique<TMainForm>();
  TMainForm& main = *mainForm;
  // The transfer window works on the picture's values until the preset
  // editor stands between them.
  auto transfer = std::make_unique<TTransferForm>(
      TransferTarget{.getParam = [&main](int n) { return main.GetPresetParam(n); },
                     .setParam = [&main](int n, double value) { main.SetPresetParam(n, value); }});
  transfer->onBrowseStart = [&main] {
    main.SuspendDrawing();
    main.SetBusyCursor(true);
  };
  // The picture resumes when the application is active again; when the
  // browser never took the focus, that is now.
  transfer->onBrowseEnd = [&main] {
    main.SetBusyCursor(false);
    if (gui::Application::Instance().Active()) main.ResumeDrawing();
  };
  main.SetHotKeyAction(HotKeyAction::Transfer, [&main, &transfer] { main.ShowModalWithPause(*transfer); });
  auto quickInfo = std::make_unique<TQuickInfoForm>(*mainForm);
  auto about = std::make_unique<TAboutForm>(*mainForm);
  mainForm->Tools().Join(ToolSlot::QuickInfo, quickInfo->AsToolWindow());
  mainForm->SetHotKeyAction(HotKeyAction::About, [&about] { about->ShowModal(); });

  if (!application.Terminated()) {
    mainForm->Show();
    application.Run();
  }
}

}  // namespace corvane
