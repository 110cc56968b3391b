// The application mode: the main window and the windows around it, in
// their order of creation, and the application-level exception handler.
#include <memory>

#include "forms/about_form_win32.h"
#include "forms/advanced_form_win32.h"
#include "forms/main_form_win32.h"
#include "forms/quick_info_form_win32.h"
#include "gui/gui_win32.h"
#include "shell/run_modes.h"
#include "shell/start_file.h"

namespace corvane {

void RunApplication() {
  gui::Application application;
  InstallApplicationExceptionHandler(application);

  // A wallpapers-list start (kind 3) opens only the wallpapers window once
  // that exists; until then it starts as with no file.
  auto mainForm = std::make_unique<TMainForm>();
  auto editor = std::make_unique<TAdvancedForm>(*mainForm, StartFileKind(), StartFileName());
  JoinPresetEditor(*mainForm, *editor);
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
