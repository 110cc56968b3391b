#include "forms/setup/setup_form_win32.h"

#include "os/message_box.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"
#include "presets/setup_system_win32.h"

namespace corvane {

TSetupForm::TSetupForm(SetupSystem& system)
    : Form({.caption = "Setup", .client = {418, 282}, .border = gui::BorderStyle::Dialog}), system_(system) {
  install_.onClick = [this] { Run([this] { return RunInstall(system_, onPresetsStored); }); };
  remove_.onClick = [this] { Run([this] { return RunRemove(system_); }); };
  dontShow_.onClick = [this] { WriteShowSetup(!dontShow_.Checked()); };
  onClose = [this] { dontShow_.SetVisible(false); };
}

void TSetupForm::Prepare(bool automatic) {
  lines_.clear();
  AddReport(SetupInformationLines(system_));
  dontShow_.SetChecked(false);
  dontShow_.SetVisible(automatic);
}

gui::ModalResult TSetupForm::ShowSetupModal(bool automatic) {
  Prepare(automatic);
  gui::ModalResult result = ShowModal();
  dontShow_.SetVisible(false);
  return result;
}

void TSetupForm::Run(const std::function<std::vector<std::string>()>& steps) {
  auto show = [this](const Exception& failure) {
    ShowMessageBox({.text = failure.Message(), .caption = "Corvane", .owner = Handle()});
  };
  try {
    AddReport(steps());
  } catch (const EFileError& failure) {
    show(failure);
  } catch (const EShellExecuteError& failure) {
    show(failure);
  }
}

void TSetupForm::AddReport(const std::vector<std::string>& lines) {
  lines_.insert(lines_.begin(), lines.begin(), lines.end());
  report_.SetLines(lines_);
}

void ShowSetupModal(bool automatic, const std::function<void()>& presetsStored) {
  static WindowsSetupSystem system;
  // Made once, at the first call, and kept for the life of the process: the
  // system takes its window down with the others at exit.
  static TSetupForm* form = new TSetupForm(system);
  system.owner = form->Handle();
  // The window outlives its caller, whose callback this is.
  const gui::ScopedSlot<std::function<void()>> stored(form->onPresetsStored, presetsStored);
  form->ShowSetupModal(automatic);
}

}  // namespace corvane
