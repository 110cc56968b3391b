// The application mode: the main window and the windows around it, in
// their order of creation, and the application-level exception handler.
#include <memory>

#include "forms/about_form_win32.h"
#include "forms/main_form_win32.h"
#include "forms/quick_info_form_win32.h"
#include "forms/setup_form_win32.h"
#include "gui/gui_win32.h"
#include "presets/setup_steps.h"
#include "shell/run_modes.h"

namespace corvane {

void RunApplication() {
  gui::Application application;
  InstallApplicationExceptionHandler(application);

  // A wallpapers-list start (kind 3) opens only the wallpapers window once
  // that exists; until then it starts as with no file.
  auto mainForm = std::make_unique<TMainForm>();
  auto quickInfo = std::make_unique<TQuickInfoForm>(*mainForm);
  auto about = std::make_unique<TAboutForm>(*mainForm);
  mainForm->Tools().Join(ToolSlot::QuickInfo, quickInfo->AsToolWindow());
  mainForm->SetHotKeyAction(HotKeyAction::About, [&about] { about->ShowModal(); });
  mainForm->onFirstShow = [] {
    if (SetupOpensByItself()) ShowSetupModal(true);
  };

  if (!application.Terminated()) {
    mainForm->Show();
    application.Run();
  }
}

}  // namespace corvane
