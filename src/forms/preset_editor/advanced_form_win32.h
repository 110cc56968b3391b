#pragma once
// TAdvancedForm: the "Settings" tool window of the application mode. It
// shows every parameter of the preset the main window draws, sends each
// change at once, and saves and loads presets to and from files, the
// registry's working preset and the registry's preset list.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/controls/combo_edit_win32.h"
#include "forms/main_window/main_form_win32.h"
#include "forms/preset_editor/preset_editor_commands.h"
#include "forms/tool_windows/tool_form_win32.h"
#include "forms/transfer/transfer_rules.h"
#include "gui/gui_win32.h"

namespace corvane {

class TAdvancedForm final : public gui::Form, public TransferTarget, private EditorView {
 public:
  // The start file (kind and name as the entry sequence learnt them)
  // decides the first preset: a preset file is quick-loaded, otherwise the
  // registry's working preset is loaded.
  TAdvancedForm(TMainForm& mainForm, uint8_t startFileKind, const std::string& startFileName);
  ~TAdvancedForm() override;
  const char* ClassName() const noexcept override { return "TAdvancedForm"; }

  // Parameter n as the editor shows it. Raise EAdvancedFormError outside 1..69.
  void SetEditorParam(int number, double value) override;
  double GetEditorParam(int number) override;
  // The transfer window's target: the editor's values; "OK" sets the editor
  // and the picture.
  double GetParam(int number) override { return GetEditorParam(number); }
  void SetParam(int number, double value) override { commands_.Apply(number, value); }

  ToolWindow& AsToolWindow() noexcept { return tool_; }
  PresetEditorCommands& Commands() noexcept { return commands_; }
  // Set on show, cleared on hide.
  bool Shown() const noexcept { return shown_; }
  // Start / Stop and Full / Normal, as the tool bar buttons and the main
  // window's Pause and F11 run them.
  void StartStop();
  void FullNormal();

  // Shows the transfer window modally; answers whether it closed with OK.
  std::function<bool()> onShowTransfer;
  // The file dialogs; the system's unless replaced.
  std::function<std::optional<std::string>()> chooseSaveFile, chooseOpenFile;

  TComboEdit& Rows(int tab) { return *rows_.at(size_t(tab - 1)); }
  gui::RadioGroup& Blending() { return blending_; }
  gui::TrackBar& MotionBlur() { return motionBlur_; }
  gui::GroupBox& MotionBlurGroup() { return motionBlurGroup_; }
  gui::ToolBar& Tools() { return toolBar_; }
  gui::ComboBox& PresetList() { return presets_; }
  gui::Button& DeleteButton() { return delete_; }
  gui::Button& ReloadButton() { return reload_; }

 private:
  // EditorView.
  void ClearHistory() override;
  std::optional<std::string> RunSaveDialog() override { return chooseSaveFile(); }
  std::optional<std::string> RunOpenDialog() override { return chooseOpenFile(); }
  void ShowPresetList(const PresetNameList& list) override;
  void ShowModes(bool random, bool shuffle) override;
  void ShowLookAtPage() override;

  void BuildMenu();
  void FormShow();
  void FormHide();
  void CaptionTimerTick();
  void ShowMotionBlur(int position);

  TMainForm& main_;
  PresetEditorCommands commands_;
  bool shown_ = false;
  bool timeStopped_ = false;  // by the toolbar's Stop; Start lets it run again
  bool fullScreen_ = false;   // by the toolbar's Full; Normal leaves it

  gui::MainMenu mainMenu_{*this};
  gui::MenuItem* reloadItem_ = nullptr;
  gui::MenuItem* makeCurrentItem_ = nullptr;
  gui::MenuItem* breedItem_ = nullptr;
  gui::MenuItem* randomItem_ = nullptr;
  gui::MenuItem* shuffleItem_ = nullptr;

  gui::ToolBar toolBar_{{.parent = this, .bounds = {0, 0, 329, 35}, .buttonSize = {60, 21},
                         .buttonFont = {.bold = true}}};
  gui::TabControl tabs_;
  std::array<std::unique_ptr<TComboEdit>, 7> rows_;
  gui::RadioGroup blending_{{.parent = this, .bounds = {0, 336, 329, 41}, .caption = " Blending ",
                             .items = {"1", "2", "3", "4", "5", "6", "7"}, .columns = 7}};
  gui::GroupBox motionBlurGroup_{{.parent = this, .bounds = {0, 384, 329, 49}, .caption = " Motion Blur = Off "}};
  gui::TrackBar motionBlur_{{.parent = &motionBlurGroup_, .bounds = {8, 16, 313, 28}, .min = 0, .max = 255,
                             .pageSize = 8, .tickFrequency = 8}};
  gui::Button restart_{{.parent = this, .bounds = {8, 440, 57, 25}, .text = "Restart"}};
  gui::Button transfer_{{.parent = this, .bounds = {72, 440, 57, 25}, .hint = "Browse URL", .text = "Transfer"}};
  gui::Button add_{{.parent = this, .bounds = {136, 440, 57, 25}, .text = "Add"}};
  gui::Button delete_{{.parent = this, .bounds = {200, 440, 57, 25}, .text = "Delete"}};
  gui::Button reload_{{.parent = this, .bounds = {264, 440, 57, 25}, .text = "Reload"}};
  gui::ComboBox presets_{{.parent = this, .bounds = {0, 472, 329, 21}, .font = {.bold = true}, .visibleRows = 16}};
  gui::Timer captionTimer_{{.owner = this, .intervalMs = 1000, .enabled = true}};
  ToolForm tool_{*this};
};

// The editor joins the main window's tool windows and takes over the hot
// keys of its commands, so that its Stop and Full buttons follow Pause and
// F11 (the transfer window's F8 is left to that window); it leaves them
// when the answer goes, which must be before the editor.
struct PresetEditorJoin {
  gui::ScopedSlot<ToolWindow*> tool;
  std::vector<gui::ScopedSlot<std::function<void()>>> hotKeys;
};
PresetEditorJoin JoinPresetEditor(TMainForm& main, TAdvancedForm& editor);

}  // namespace corvane
