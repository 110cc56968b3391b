#pragma once
// The preset editor's commands, free of the window system: what each one
// reads and writes (preset files, the registry's working preset and list),
// which values it applies, its pause of the picture and its status line.
// The Win32 form supplies the main window (EditorHost) and its own
// controls and dialogs (EditorView).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "figure/preset_params.h"
#include "forms/preset_editor/preset_editor_rules.h"

namespace corvane {

// What the editor asks of the main window.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  virtual void SetPresetParam(int number, double value) = 0;
  virtual double GetPresetParam(int number) = 0;
  virtual void ShowStatus(std::optional<std::string_view> a, std::optional<std::string_view> b,
                          std::optional<std::string_view> c) = 0;
  virtual void SuspendDrawing() = 0;
  virtual void ResumeDrawing() = 0;
  virtual void CaptureView() = 0;
};

// The editor's controls and dialogs as its commands see them.
class EditorView {
 public:
  virtual ~EditorView() = default;
  virtual void SetEditorParam(int number, double value) = 0;
  virtual double GetEditorParam(int number) = 0;
  virtual void ClearHistory() = 0;  // the drop-down lists of all seven pages
  // The chosen file, nothing when cancelled.
  virtual std::optional<std::string> RunSaveDialog() = 0;
  virtual std::optional<std::string> RunOpenDialog() = 0;
  // Shows the list with its selection and the enabled states that follow it.
  virtual void ShowPresetList(const PresetNameList& list) = 0;
  virtual void ShowModes(bool random, bool shuffle) = 0;
  virtual void ShowLookAtPage() = 0;
};

inline constexpr char kMessageCaption[] = "Corvane";

class PresetEditorCommands {
 public:
  PresetEditorCommands(EditorHost& host, EditorView& view) : host_(host), view_(view) {}

  // The last creation step: a preset file start quick-loads that file,
  // any other start loads the registry's working preset.
  void Start(bool presetFileStart, const std::string& fileName);

  void QuickSaveToFile();
  void SaveToReg();
  void SaveToFile();
  void QuickLoadFromFile();
  void LoadFromReg();
  void LoadFromFile();
  void Default();
  void AddFromFile();
  void DeleteFromList();
  void ReloadFromList();
  void MakeCurrentPreset();
  void ToggleRandom();
  void ToggleShuffle();
  // The user picked entry `index` of the list: as Reload, without the pause.
  void SelectPreset(int index);
  // Breeds the working preset with the selected stored one and shows the
  // child at once, or leaves the working preset when no child of that seed
  // and the next ones passes its checks.
  void BreedWithSelected(uint64_t seed);

  // One value to the picture and the editor, as every load sends it; the
  // transfer window's "OK" sends its values so too.
  void Apply(int number, double value);

  // Tool bar: "Default", "Get XYZ" and " Look At ".
  void DefaultButton();
  void GetXyz();
  void LookAt();
  // Button "Transfer": `showTransfer` answers whether the window closed with OK.
  void TransferButton(const std::function<bool()>& showTransfer);

  // The user changed a row, a blending button or the slider.
  void RowChanged(int tab, int row, double value);
  void BlendingClicked(int index);
  void MotionBlurMoved(int position);

  // Showing the editor, and the setup window's new presets.
  void Showing();
  void RefillList();

  const std::string& QuickFileName() const noexcept { return quickFileName_; }
  const std::string& QuickLoadFileName() const noexcept { return quickLoadFileName_; }
  const PresetNameList& List() const noexcept { return list_; }

 private:
  // Runs a command with the picture paused, resuming it on every way out.
  // A file that cannot be read or written, or a value that cannot be
  // written as text, ends it with the failure's message.
  template <typename Command>
  void Run(Command command);
  void SaveFile(bool ask);  // asks when told to or when no file is known yet
  void LoadFile(bool ask);
  void ApplySelected();
  void ApplyPreset(const TPresetParams& preset);  // to the picture and the editor
  TPresetParams WorkingPreset();                   // the editor's values
  void LoadedStatus(std::string_view source);

  EditorHost& host_;
  EditorView& view_;
  std::string quickFileName_, quickLoadFileName_;
  PresetNameList list_;
  bool random_ = false, shuffle_ = false;
};

}  // namespace corvane
