#include "forms/preset_editor/preset_editor_commands.h"

#include <vector>

#include "evolve/child_checks.h"
#include "figure/preset_params.h"
#include "os/message_box.h"
#include "os/scope_exit.h"
#include "os/text.h"
#include "presets/preset_selection.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"
#include "workers/error_log.h"

namespace corvane {
namespace {

constexpr char kAllValues[] = "All values";

void ShowFailure(const std::string& text) {
  ShowMessageBox({.text = text, .caption = kMessageCaption, .icon = BoxIcon::Error});
}

}  // namespace

template <typename Command>
void PresetEditorCommands::Run(Command command) {
  host_.SuspendDrawing();
  ScopeExit resume([&] {
    try {
      host_.ResumeDrawing();
    } catch (...) {  // logged: it runs while leaving the scope
      LogErrors(ExceptionRecord("TAdvancedForm", DescribeCurrentException()));
    }
  });
  try {
    command();
  } catch (const EFileError& failure) {
    ShowFailure(failure.Message());
  } catch (const EConvertError& failure) {
    ShowFailure(failure.Message());
  }
}

void PresetEditorCommands::Apply(int number, double value) {
  host_.SetPresetParam(number, value);
  view_.SetEditorParam(number, value);
}

void PresetEditorCommands::ApplyPreset(const TPresetParams& preset) {
  for (int n = 1; n <= kParamCount; ++n) Apply(n, preset.GetValue(n));
}

TPresetParams PresetEditorCommands::WorkingPreset() {
  TPresetParams preset;
  for (int n = 1; n <= kParamCount; ++n) preset.SetValue(n, view_.GetEditorParam(n));
  return preset;
}

void PresetEditorCommands::LoadedStatus(std::string_view source) { host_.ShowStatus("Loaded", kAllValues, source); }

void PresetEditorCommands::Start(bool presetFileStart, const std::string& fileName) {
  if (presetFileStart) {
    quickLoadFileName_ = fileName;
    QuickLoadFromFile();
  } else {
    LoadFromReg();
  }
}

void PresetEditorCommands::QuickSaveToFile() { SaveFile(false); }
void PresetEditorCommands::SaveToFile() { SaveFile(true); }

void PresetEditorCommands::SaveFile(bool ask) {
  Run([this, ask] {
    if (ask || quickFileName_.empty()) {
      std::optional<std::string> chosen = view_.RunSaveDialog();
      if (!chosen) return;
      quickFileName_ = *chosen;
    }
    WritePresetFile(quickFileName_, WorkingPreset());
    host_.ShowStatus("Saved", kAllValues, quickFileName_);
  });
}

void PresetEditorCommands::SaveToReg() {
  Run([this] {
    bool saved = true;
    for (int n = 1; n <= kParamCount; ++n) saved = WriteWorkParam(n, view_.GetEditorParam(n)) && saved;
    if (saved)
      host_.ShowStatus("Saved", kAllValues, "Preset to registry");
    else
      ShowFailure("The preset could not be saved to the registry.");
  });
}

void PresetEditorCommands::QuickLoadFromFile() { LoadFile(false); }

void PresetEditorCommands::LoadFromFile() {
  view_.ClearHistory();
  LoadFile(true);
}

void PresetEditorCommands::LoadFile(bool ask) {
  Run([this, ask] {
    if (ask || quickLoadFileName_.empty()) {
      std::optional<std::string> chosen = view_.RunOpenDialog();
      if (!chosen) return;
      quickLoadFileName_ = quickFileName_ = *chosen;
    }
    ApplyPreset(ReadPresetFile(quickLoadFileName_));
    LoadedStatus(quickLoadFileName_);
  });
}

void PresetEditorCommands::LoadFromReg() {
  Run([this] {
    for (int n = 1; n <= kParamCount; ++n) {
      double value;
      ReadWorkParam(n, value);  // the default when missing
      Apply(n, value);
    }
    LoadedStatus("Preset from registry");
  });
}

void PresetEditorCommands::Default() {
  Run([this] {
    ApplyPreset(TPresetParams::Defaults());
    LoadedStatus("Default preset");
  });
}

void PresetEditorCommands::AddFromFile() {
  Run([this] {
    std::optional<std::string> chosen = view_.RunOpenDialog();
    if (!chosen) return;
    ApplyPreset(ReadPresetFile(*chosen));
    std::string name = PresetNameFromFile(*chosen);
    list_.Add(name);
    for (int n = 1; n <= kParamCount; ++n) WriteListParam(name, n, view_.GetEditorParam(n));
    view_.ShowPresetList(list_);
    LoadedStatus(*chosen);
  });
}

void PresetEditorCommands::DeleteFromList() {
  Run([this] {
    std::optional<std::string> name = list_.Selected();
    if (!name) return;
    DeletePreset(*name);
    list_.RemoveSelected();
    std::string current;
    if (ReadCurrentPresetName(current) && EqualIgnoringAsciiCase(current, *name)) ForgetCurrent();
    view_.ShowPresetList(list_);
  });
}

void PresetEditorCommands::ReloadFromList() {
  Run([this] { ApplySelected(); });
}

void PresetEditorCommands::SelectPreset(int index) {
  list_.Select(index);
  view_.ShowPresetList(list_);
  ApplySelected();
}

void PresetEditorCommands::ApplySelected() {
  std::optional<std::string> name = list_.Selected();
  if (!name) return;
  ApplyPreset(ReadStoredPreset(*name));
  LoadedStatus("Preset from registry : " + *name);
}

void PresetEditorCommands::BreedWithSelected(uint64_t seed) {
  Run([this, seed] {
    std::optional<std::string> name = list_.Selected();
    if (!name) return;
    const ShownPreset shown = BreedShownChild(WorkingPreset(), ReadStoredPreset(*name), seed);
    if (!shown.isChild) {
      host_.ShowStatus("Unchanged", "No child passed its checks", "Working preset × " + *name);
      return;
    }
    ApplyPreset(shown.preset);
    host_.ShowStatus("Bred", kAllValues, "Working preset × " + *name);
  });
}

void PresetEditorCommands::MakeCurrentPreset() {
  Run([this] {
    std::optional<std::string> name = list_.Selected();
    if (!name) return;
    MakeCurrent(*name);
    ShowMessageBox({.text = "The preset \"" + *name + "\" is made current.",
                    .caption = "Information",
                    .icon = BoxIcon::Information});
  });
}

void PresetEditorCommands::ToggleRandom() {
  random_ = !random_;
  WriteRandomMode(random_);
  view_.ShowModes(random_, shuffle_);
}

void PresetEditorCommands::ToggleShuffle() {
  shuffle_ = !shuffle_;
  WriteShuffleMode(shuffle_);
  view_.ShowModes(random_, shuffle_);
}

void PresetEditorCommands::DefaultButton() {
  view_.ClearHistory();
  Default();
}

void PresetEditorCommands::GetXyz() {
  Run([this] {
    host_.CaptureView();
    for (int n = kFirstLookAtParam; n <= kLastLookAtParam; ++n) view_.SetEditorParam(n, host_.GetPresetParam(n));
    host_.ShowStatus("Changed", "Look At", std::nullopt);
    view_.ShowLookAtPage();
  });
}

void PresetEditorCommands::LookAt() {
  // Sending EyeX again makes the drawing thread apply the look-at camera.
  host_.SetPresetParam(kFirstLookAtParam, host_.GetPresetParam(kFirstLookAtParam));
  view_.ShowLookAtPage();
}

void PresetEditorCommands::TransferButton(const std::function<bool()>& showTransfer) {
  if (showTransfer && showTransfer()) LoadedStatus("Preset from transfer");
}

void PresetEditorCommands::RowChanged(int tab, int row, double value) {
  int number = EditorParamNumber(tab, row);
  host_.SetPresetParam(number, value);
  host_.ShowStatus("Changed", ParamName(number), std::nullopt);
}

void PresetEditorCommands::BlendingClicked(int index) {
  host_.SetPresetParam(kBlendingParam, index);
  view_.SetEditorParam(kBlendingParam, index);
}

void PresetEditorCommands::MotionBlurMoved(int position) { host_.SetPresetParam(kMotionBlurParam, position); }

void PresetEditorCommands::Showing() {
  ReadRandomMode(random_);
  ReadShuffleMode(shuffle_);
  view_.ShowModes(random_, shuffle_);
  RefillList();
}

void PresetEditorCommands::RefillList() {
  std::vector<std::string> names;
  ListPresetNames(names);
  list_.Fill(std::move(names));
  view_.ShowPresetList(list_);
}

}  // namespace corvane
