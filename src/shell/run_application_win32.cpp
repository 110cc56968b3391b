// The application mode: the main window and the windows around it, in
// their order of creation, and the application-level exception handler.
#include <memory>

#include "forms/information/about_form_win32.h"
#include "forms/information/quick_info_form_win32.h"
#include "forms/main_window/main_form_win32.h"
#include "forms/preset_editor/advanced_form_win32.h"
#include "forms/setup/setup_form_win32.h"
#include "forms/tool_windows/background_form_win32.h"
#include "forms/tool_windows/enhanced_form_win32.h"
#include "forms/transfer/transfer_form_win32.h"
#include "forms/wallpapers/wallpapers_form_win32.h"
#include "gui/gui_win32.h"
#include "presets/setup_steps.h"
#include "shell/command_line.h"
#include "shell/run_modes.h"
#include "shell/start_file.h"

namespace corvane {

void RunApplication() {
  gui::Application application;
  InstallApplicationExceptionHandler(application);

  auto mainForm = std::make_unique<TMainForm>();
  TMainForm& main = *mainForm;
  auto background = std::make_unique<TBackgroundForm>(main);
  auto editor = std::make_unique<TAdvancedForm>(main, StartFileKind(), StartFileName());
  const PresetEditorJoin editorJoined = JoinPresetEditor(main, *editor);
  // "OK" applies every value to the editor and then to the picture.
  auto transfer = std::make_unique<TTransferForm>(*editor);
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
  // F8, the editor's menu item and its button: true when closed with "OK".
  // Each seam below is held after what it captures, so that it is emptied
  // before that goes.
  auto showTransfer = [&transfer] { return transfer->ShowModal() == gui::ModalResult::Ok; };
  const gui::ScopedSlot<std::function<bool()>> editorTransfer(editor->onShowTransfer, showTransfer);
  const auto transferKey = main.SetHotKeyAction(HotKeyAction::Transfer, [showTransfer] { showTransfer(); });
  auto quickInfo = std::make_unique<TQuickInfoForm>(main);
  auto about = std::make_unique<TAboutForm>(main);
  auto enhanced = std::make_unique<TEnhancedForm>(main);
  auto wallpapers = std::make_unique<TWallpapersForm>();

  const gui::ScopedSlot<ToolWindow*> joined[] = {
      main.Tools().Join(ToolSlot::Background, background->Tool()),
      main.Tools().Join(ToolSlot::QuickInfo, quickInfo->AsToolWindow()),
      main.Tools().Join(ToolSlot::EnhancedSettings, enhanced->Tool())};
  const auto aboutKey = main.SetHotKeyAction(HotKeyAction::About, [&about] { about->ShowModal(); });
  // The "Wallpapers" menu item runs the same action.
  const auto wallpapersKey =
      main.SetHotKeyAction(HotKeyAction::Wallpapers, [&main, &wallpapers] { main.ShowModalWithPause(*wallpapers); });
  // A preset or the editor may set 65..68 while the window is hidden.
  const gui::ScopedSlot<std::function<void(BackgroundColor)>> backgroundFollows(
      main.onBackgroundChanged, [&background](BackgroundColor color) { background->ColorChanged(color); });
  main.onFirstShow = [] {
    if (SetupOpensByItself()) ShowSetupModal(true);
  };

  const bool wallpapersListStart = StartFileKind() == kWallpapersStartFile;
  if (wallpapersListStart) wallpapers->SetStartFile(StartFileName());

  if (!application.Terminated()) {
    if (wallpapersListStart) {
      // Only the list's window; closing it ends the program.
      main.EnterHiddenState();
      wallpapers->Show();
    } else {
      main.Show();
    }
    application.Run();
  }
}

}  // namespace corvane
