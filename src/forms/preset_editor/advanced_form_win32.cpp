#include "forms/preset_editor/advanced_form_win32.h"

#include <utility>

#include "evolve/evolved_session.h"
#include "figure/preset_params.h"
#include "forms/preset_editor/preset_editor_captions.h"
#include "forms/setup/setup_form_win32.h"

namespace corvane {
namespace {

constexpr uint8_t kPresetFileStart = 2;
constexpr int kFirstTab = 1;

}  // namespace

TAdvancedForm::TAdvancedForm(TMainForm& mainForm, uint8_t startFileKind, const std::string& startFileName)
    : Form({.caption = kEditorCaption, .client = {329, 494}, .border = gui::BorderStyle::ToolWindow,
            .borderWidth = 2, .centred = true, .stayOnTop = true, .keyPreview = true}),
      main_(mainForm),
      commands_(mainForm, *this),
      tabs_({.parent = this, .bounds = {0, 35, 329, 295},
             .pages = std::vector<std::string>(kEditorTabs.begin(), kEditorTabs.end())}) {
  chooseSaveFile = [this] {
    return gui::RunSaveDialog({.owner = this, .defaultExt = "cvp", .fileName = "CorvanePreset",
                               .initialFolder = ".", .overwritePrompt = true, .hideReadOnly = true});
  };
  chooseOpenFile = [this]() -> std::optional<std::string> {
    auto chosen = gui::RunOpenDialog(
        {.owner = this, .filter = "Preset files|*.cvp", .defaultExt = "cvp", .initialFolder = "."});
    if (!chosen || chosen->empty()) return std::nullopt;
    return chosen->front();
  };

  toolBar_.AddButton(kStopCaption).onClick = [this] { StartStop(); };
  toolBar_.AddButton(kFullCaption).onClick = [this] { FullNormal(); };
  toolBar_.AddButton("Default").onClick = [this] { commands_.DefaultButton(); };
  toolBar_.AddButton("Get XYZ").onClick = [this] { commands_.GetXyz(); };
  toolBar_.AddButton(" Look At ").onClick = [this] { commands_.LookAt(); };

  // Creation steps: the seven pages of nine rows, each row labelled with
  // its parameter's name and showing 0 until the first preset arrives.
  for (int tab = kFirstTab; tab <= int(rows_.size()); ++tab) {
    auto& rows = rows_[size_t(tab - 1)] = std::make_unique<TComboEdit>(TComboEdit::CreateArgs{
        .parent = &tabs_.Page(size_t(tab - 1)), .align = gui::Align::Fill, .tag = tab, .labelLeft = 4, .top = 6,
        .minLabelWidth = 110});
    for (int row = 1; row <= kComboEditRows; ++row) {
      rows->SetRowLabel(row, ParamName(EditorParamNumber(tab, row)));
      rows->SetRowValue(row, 0);
    }
    rows->SetLabelFont({.face = "Tahoma", .height = 13, .bold = true});
    rows->onValueChange = [this, tab](int row, double value) { commands_.RowChanged(tab, row, value); };
  }
  blending_.onClick = [this] { commands_.BlendingClicked(blending_.ItemIndex()); };
  motionBlur_.onChange = [this] {
    ShowMotionBlur(motionBlur_.Position());
    commands_.MotionBlurMoved(motionBlur_.Position());
  };

  restart_.onClick = [this] { main_.Restart(); };
  transfer_.onClick = [this] { commands_.TransferButton(onShowTransfer); };
  add_.onClick = [this] { commands_.AddFromFile(); };
  delete_.onClick = [this] { commands_.DeleteFromList(); };
  reload_.onClick = [this] { commands_.ReloadFromList(); };
  presets_.onSelect = [this] { commands_.SelectPreset(presets_.ItemIndex()); };
  BuildMenu();

  onShow = [this] { FormShow(); };
  onHide = [this] { FormHide(); };
  onKeyDown = [this](gui::KeyEvent& event) {
    if (!EditorPassesKeyOn(event.key, event.shift)) return;
    event.handled = true;
    main_.HandleHotKey(event.key, event.shift);
  };
  captionTimer_.onTimer = [this] { CaptionTimerTick(); };
  ShowPresetList(commands_.List());

  commands_.Start(startFileKind == kPresetFileStart, startFileName);
}

TAdvancedForm::~TAdvancedForm() = default;

void TAdvancedForm::BuildMenu() {
  gui::MenuItem& preset = mainMenu_.Add({.text = "Preset"});
  preset.Add({.text = "Quick Save to File", .shortCut = "F2"}).onClick = [this] { commands_.QuickSaveToFile(); };
  preset.Add({.text = "Save to Reg", .shortCut = "F3"}).onClick = [this] { commands_.SaveToReg(); };
  preset.Add({.text = "Save to File", .shortCut = "F4"}).onClick = [this] { commands_.SaveToFile(); };
  preset.AddSeparator();
  preset.Add({.text = "Quick Load from File", .shortCut = "F5"}).onClick = [this] {
    commands_.QuickLoadFromFile();
  };
  preset.Add({.text = "Load from Reg", .shortCut = "F6"}).onClick = [this] { commands_.LoadFromReg(); };
  preset.Add({.text = "Load from File", .shortCut = "F7"}).onClick = [this] { commands_.LoadFromFile(); };
  preset.AddSeparator();
  preset.Add({.text = "Transfer...", .shortCut = "F8"}).onClick = [this] {
    if (onShowTransfer) onShowTransfer();
  };
  preset.Add({.text = "Restart"}).onClick = [this] { main_.Restart(); };
  preset.Add({.text = "Default"}).onClick = [this] { commands_.Default(); };
  preset.AddSeparator();
  preset.Add({.text = "Exit"}).onClick = [] { gui::Application::Instance().Terminate(); };

  gui::MenuItem& list = mainMenu_.Add({.text = "List"});
  list.Add({.text = "Add from File"}).onClick = [this] { commands_.AddFromFile(); };
  list.Add({.text = "Delete from List"}).onClick = [this] { commands_.DeleteFromList(); };
  reloadItem_ = &list.Add({.text = "Reload from List"});
  reloadItem_->onClick = [this] { commands_.ReloadFromList(); };
  list.AddSeparator();
  makeCurrentItem_ = &list.Add({.text = "Make Current"});
  makeCurrentItem_->onClick = [this] { commands_.MakeCurrentPreset(); };
  breedItem_ = &list.Add({.text = "Breed with Selected"});
  breedItem_->onClick = [this] { commands_.BreedWithSelected(NewBreedSeed()); };
  randomItem_ = &list.Add({.text = "Random"});
  randomItem_->onClick = [this] { commands_.ToggleRandom(); };
  shuffleItem_ = &list.Add({.text = "Shuffle"});
  shuffleItem_->onClick = [this] { commands_.ToggleShuffle(); };

  mainMenu_.Add({.text = "Background"}).onClick = [this] { main_.Tools().Toggle(ToolSlot::Background); };

  gui::MenuItem& help = mainMenu_.Add({.text = "Help"});
  help.Add({.text = "Quick Info...", .shortCut = "F1"}).onClick = [this] {
    main_.Tools().Toggle(ToolSlot::QuickInfo);
  };
  // In front of everything, with the picture paused, as the main window's own modal windows.
  help.Add({.text = "Setup..."}).onClick = [this] {
    main_.ShowModalWithPause([this] { ShowSetupModal(false, [this] { commands_.RefillList(); }); });
    commands_.RefillList();
  };
  help.AddSeparator();
  // The about box is the main window's Control+F1.
  help.Add({.text = "About..."}).onClick = [this] { main_.HandleHotKey(gui::keys::F(1), gui::Shift::Ctrl); };
}

void TAdvancedForm::SetEditorParam(int number, double value) {
  EditorParamPlace place = EditorPlaceOf(number);
  switch (place.control) {
    case EditorControl::Row:
      Rows(place.tab).SetRowValue(place.row, value);
      break;
    case EditorControl::Blending:
      if (std::optional<int> selection = BlendingSelection(value)) blending_.SetItemIndex(*selection);
      break;
    case EditorControl::Background:
      break;
    case EditorControl::MotionBlur:
      motionBlur_.SetPosition(MotionBlurPosition(value));
      ShowMotionBlur(motionBlur_.Position());
      break;
  }
}

double TAdvancedForm::GetEditorParam(int number) {
  EditorParamPlace place = EditorPlaceOf(number);
  switch (place.control) {
    case EditorControl::Row: return Rows(place.tab).GetRowValue(place.row);
    case EditorControl::Blending: return blending_.ItemIndex();
    case EditorControl::Background: return main_.GetPresetParam(number);
    case EditorControl::MotionBlur: return motionBlur_.Position();
  }
  return 0;
}

void TAdvancedForm::ShowMotionBlur(int position) { motionBlurGroup_.SetText(MotionBlurCaption(position)); }

void TAdvancedForm::StartStop() {
  timeStopped_ = !timeStopped_;
  main_.SetTimeFrozenByUser(timeStopped_);
  toolBar_.ButtonAt(0).SetText(timeStopped_ ? kStartCaption : kStopCaption);
}

void TAdvancedForm::FullNormal() {
  fullScreen_ = !fullScreen_;
  if (fullScreen_)
    main_.EnterFullScreen();
  else
    main_.LeaveFullScreen();
  toolBar_.ButtonAt(1).SetText(fullScreen_ ? kNormalCaption : kFullCaption);
}

void TAdvancedForm::ClearHistory() {
  for (auto& rows : rows_) rows->ClearHistory();
}

void TAdvancedForm::ShowPresetList(const PresetNameList& list) {
  presets_.SetItems(list.Names());
  presets_.SetItemIndex(list.SelectedIndex());
  const bool selected = list.SelectedIndex() >= 0;
  delete_.SetEnabled(selected);
  reload_.SetEnabled(selected);
  reloadItem_->SetEnabled(selected);
  makeCurrentItem_->SetEnabled(selected);
  breedItem_->SetEnabled(selected);
}

void TAdvancedForm::ShowModes(bool random, bool shuffle) {
  randomItem_->SetChecked(random);
  shuffleItem_->SetChecked(shuffle);
}

void TAdvancedForm::ShowLookAtPage() { tabs_.SetActivePage(kLookAtTab - 1); }

void TAdvancedForm::FormShow() {
  shown_ = true;
  commands_.Showing();
  main_.SetStatusBarVisible(true);
}

void TAdvancedForm::FormHide() {
  shown_ = false;
  main_.SetStatusBarVisible(false);
}

void TAdvancedForm::CaptionTimerTick() {
  std::string status = main_.GetStatusText();
  SetCaption(EditorTimerCaption(status));
  main_.UpdateCaption(status);
}

PresetEditorJoin JoinPresetEditor(TMainForm& main, TAdvancedForm& editor) {
  PresetEditorJoin joined{main.Tools().Join(ToolSlot::Editor, editor.AsToolWindow()), {}};
  PresetEditorCommands& commands = editor.Commands();
  const std::pair<HotKeyAction, void (PresetEditorCommands::*)()> keys[] = {
      {HotKeyAction::QuickSaveToFile, &PresetEditorCommands::QuickSaveToFile},
      {HotKeyAction::SaveToRegistry, &PresetEditorCommands::SaveToReg},
      {HotKeyAction::SaveToFile, &PresetEditorCommands::SaveToFile},
      {HotKeyAction::QuickLoadFromFile, &PresetEditorCommands::QuickLoadFromFile},
      {HotKeyAction::LoadFromRegistry, &PresetEditorCommands::LoadFromReg},
      {HotKeyAction::LoadFromFile, &PresetEditorCommands::LoadFromFile},
  };
  for (const auto& [action, command] : keys)
    joined.hotKeys.push_back(main.SetHotKeyAction(action, [&commands, command = command] { (commands.*command)(); }));
  joined.hotKeys.push_back(main.SetHotKeyAction(HotKeyAction::FullScreenSwitch, [&editor] { editor.FullNormal(); }));
  joined.hotKeys.push_back(main.SetHotKeyAction(HotKeyAction::StartStop, [&editor] { editor.StartStop(); }));
  return joined;
}

}  // namespace corvane
