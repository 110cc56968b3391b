// The application mode: the main window and the windows around it, in
// their order of creation, and the application-level exception handler.
#include <memory>

#include "forms/about_form_win32.h"
#include "forms/background_form_win32.h"
#include "forms/enhanced_form_win32.h"
#include "forms/main_form_win32.h"
#include "forms/quick_info_form_win32.h"
#include "forms/tool_form_host.h"
#include "forms/wallpapers_form_win32.h"
#include "gui/gui_win32.h"
#include "shell/command_line.h"
#include "shell/run_modes.h"
#include "shell/start_file.h"

namespace corvane {

void RunApplication() {
  gui::Application application;
  InstallApplicationExceptionHandler(application);

  auto mainForm = std::make_unique<TMainForm>();
  MainWindowHost<TMainForm> host(*mainForm);
  auto background = std::make_unique<TBackgroundForm>(host);
  auto quickInfo = std::make_unique<TQuickInfoForm>(*mainForm);
  auto about = std::make_unique<TAboutForm>(*mainForm);
  auto enhanced = std::make_unique<TEnhancedForm>(host);
  auto wallpapers = std::make_unique<TWallpapersForm>();

  mainForm->Tools().Join(ToolSlot::Background, background->Tool());
  mainForm->Tools().Join(ToolSlot::QuickInfo, quickInfo->AsToolWindow());
  mainForm->Tools().Join(ToolSlot::EnhancedSettings, enhanced->Tool());
  mainForm->SetHotKeyAction(HotKeyAction::About, [&about] { about->ShowModal(); });
  // The "Wallpapers" menu item runs the same action.
  mainForm->SetHotKeyAction(HotKeyAction::Wallpapers,
                            [&mainForm, &wallpapers] { mainForm->ShowModalWithPause(*wallpapers); });
  // A preset or the editor may set 65..68 while the window is hidden.
  mainForm->onBackgroundChanged = [&background](BackgroundColor color) { background->ColorChanged(color); };

  const bool wallpapersListStart = StartFileKind() == kWallpapersStartFile;
  if (wallpapersListStart) wallpapers->SetStartFile(StartFileName());

  if (!application.Terminated()) {
    if (wallpapersListStart) {
      // Only the list's window; closing it ends the program.
      mainForm->EnterHiddenState();
      wallpapers->Show();
    } else {
      mainForm->Show();
    }
    application.Run();
  }
}

}  // namespace corvane
