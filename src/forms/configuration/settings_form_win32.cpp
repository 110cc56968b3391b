#include "forms/configuration/settings_form_win32.h"

#include <cmath>

#include "desktop/open_url.h"
#include "drawer/calcer_thread.h"
#include "forms/configuration/monitors_choice.h"
#include "forms/preset_editor/preset_editor_captions.h"
#include "os/message_box.h"
#include "os/scope_exit.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"
#include "render/wgl_render_context.h"

namespace corvane {
namespace {

// Posted by a show to the dialog itself: the preview starts once the dialog
// is on the screen, after the show's own window calls.
constexpr UINT kShownMessage = WM_APP + 13;

constexpr int kFirstColour = 45;  // row r shows parameter 45 + r
constexpr int kMotionBlur = 69;

}  // namespace

bool TPreviewPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    result = 1;
    return true;
  }
  if (message == WM_PAINT) {
    if (!Panel::OnMessage(message, wParam, lParam, result)) result = CallDefault(message, wParam, lParam);
    if (onPainted) onPainted();
    return true;
  }
  return Panel::OnMessage(message, wParam, lParam, result);
}

TSettingsForm::TSettingsForm()
    : Form({.caption = "Corvane Screen Saver", .client = {586, 432}, .border = gui::BorderStyle::Dialog,
            .borderWidth = 4, .centred = true, .stayOnTop = true}),
      drawer_(std::make_unique<TDrawer>(std::make_unique<CalcerThread>(), [](CalcClient& calcer) {
        return std::make_unique<TRender>(calcer);
      })) {
  chooseFiles = [this] {
    return gui::RunOpenDialog({.owner = this, .filter = "Preset files|*.cvp", .defaultExt = "cvp",
                               .multiSelect = true, .fileMustExist = true});
  };

  drawer_->SetPriority(ThreadPriority::Highest);
  drawer_->SetCalcPriority(ThreadPriority::Lower);
  // The dialog cannot go on without its preview: its end ends the program.
  endNotice_ = Handle();
  drawer_->SetOnTerminate([this] {
    if (HWND window = endNotice_.load()) PostMessageW(window, WM_CLOSE, 0, 0);
  });
  drawer_->Resume();
  drawer_->StartGL(preview_.Handle());
  RECT client{};
  GetClientRect(preview_.Handle(), &client);
  int width = client.right, height = client.bottom;
  drawer_->SetViewport(0, 0, width, height, 45.0, height > 0 ? double(width) / height : 1.0, 1.0, 100000.0);

  PreviewPause();
  for (int row = 1; row <= kComboEditRows; ++row)
    comboEdit_.SetRowLabel(row, kColorModeNames[size_t(row - 1)]);
  comboEdit_.SetBounds({586 - comboEdit_.RowsWidth(), 32, comboEdit_.RowsWidth(), 260});
  comboEdit_.onValueChange = [this](int row, double value) {
    drawer_->SetParam(kFirstColour + row, value);
    list_.SetSelectedParam(kFirstColour + row, value);
  };
  preview_.onPainted = [this] { drawer_->Repaint(); };

  motionBlur_.onChange = [this] {
    drawer_->SetParam(kMotionBlur, motionBlur_.Position());
    list_.SetSelectedParam(kMotionBlur, motionBlur_.Position());
  };
  presets_.onSelect = [this] {
    list_.Select(presets_.ItemIndex());
    ShowPicked();
  };
  children_.onSelect = [this] {
    list_.ShowChild(children_.ItemIndex());
    ShowPicked();
  };
  keep_.onClick = [this] { KeepChild(); };
  add_.onClick = [this] { AddFiles(); };
  delete_.onClick = [this] { DeleteSelected(); };
  ok_.onClick = [this] { SaveAndClose(); };
  cancel_.onClick = [this] {
    PreviewPause();
    Close();
  };
  banner_.onClick = [this] { OpenBanner(); };
  // The preview starts once the dialog's own windows are made and filled,
  // and the dialog is on the screen.
  onShow = [this] {
    pause_.BeginMinimisedSpell();
    ShowList();
    PostMessageW(Handle(), kShownMessage, 0, 0);
  };
  onHide = [this] {
    pause_.BeginMinimisedSpell();
    list_ = SettingsList();
  };
}

TSettingsForm::~TSettingsForm() { endNotice_ = nullptr; }

bool TSettingsForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == kShownMessage) {
    pause_.EndMinimisedSpell();
    return true;
  }
  return Form::OnMessage(message, wParam, lParam, result);
}

void TSettingsForm::PreviewPause() { pause_.SuspendDrawing(); }
void TSettingsForm::PreviewResume() { pause_.ResumeDrawing(); }

void TSettingsForm::ShowList() {
  PreviewPause();
  ScopeExit resume([this] { Guard(*this, [this] { PreviewResume(); }); });
  banner_.SetText(kBannerText);
  list_.Load();
  FillListBox();
  SendShown();
  RefreshControls();
  bool random = false, shuffle = false;
  ReadRandomMode(random);
  ReadShuffleMode(shuffle);
  random_.SetChecked(random);
  shuffle_.SetChecked(shuffle);
  bool evolve = false;
  ReadEvolveMode(evolve);
  evolve_.SetChecked(evolve);
  bool frameRate = false;
  ReadFrameRateShown(frameRate);
  frameRate_.SetChecked(frameRate);
  monitors_.SetItems(MonitorsChoiceItems());
  monitors_.SetItemIndex(StoredMonitorsChoice());
}

void TSettingsForm::ShowPicked() {
  PreviewPause();
  ScopeExit resume([this] { Guard(*this, [this] { PreviewResume(); }); });
  SendShown();
  RefreshControls();
}

void TSettingsForm::SendShown() {
  TPresetParams shown = list_.Shown();
  for (int n = 1; n <= kParamCount; ++n) drawer_->SetParam(n, shown.GetValue(n));
}

void TSettingsForm::RefreshControls() {
  ShowChildRow();
  for (int row = 1; row <= kComboEditRows; ++row) comboEdit_.SetRowValue(row, drawer_->GetParam(kFirstColour + row));
  motionBlur_.SetPosition(int(std::nearbyint(drawer_->GetParam(kMotionBlur))));
}

void TSettingsForm::FillListBox() {
  std::vector<std::string> names;
  for (const SettingsEntry& entry : list_.Entries()) names.push_back(entry.name);
  presets_.SetItems(names);
  presets_.SetItemIndex(list_.Selected());
  std::vector<std::string> children;
  for (size_t i = 0; i < list_.Children().size(); ++i) children.push_back(ChildItemText(int(i), list_.Children()[i]));
  children_.SetItems(children);
}

// The children's row follows the shown child: its item, its proposed name
// and Keep only while there is one.
void TSettingsForm::ShowChildRow() {
  const int shown = list_.ShownChild();
  children_.SetItemIndex(shown);
  childName_.SetText(shown >= 0 ? ProposedChildName(list_.Children()[size_t(shown)]) : std::string());
  childName_.SetEnabled(shown >= 0);
  keep_.SetEnabled(shown >= 0);
}

void TSettingsForm::KeepChild() {
  if (!list_.KeepShownChild(childName_.Text())) return;
  FillListBox();
  RefreshControls();
}

void TSettingsForm::AddFiles() {
  PreviewPause();
  ScopeExit resume([this] { Guard(*this, [this] { PreviewResume(); }); });
  std::optional<std::vector<std::string>> chosen = chooseFiles();
  if (!chosen) return;
  try {
    list_.Add(*chosen, ReadPresetFile);
  } catch (const EFileError& error) {
    FillListBox();
    ShowMessageBox({.text = error.Message(), .caption = "Corvane Screen Saver"});
    return;
  }
  FillListBox();
  SendShown();
  RefreshControls();
}

void TSettingsForm::DeleteSelected() {
  PreviewPause();
  ScopeExit resume([this] { Guard(*this, [this] { PreviewResume(); }); });
  list_.DeleteSelected();
  FillListBox();
  RefreshControls();
}

void TSettingsForm::SaveAndClose() {
  PreviewPause();
  list_.Save(random_.Checked(), shuffle_.Checked());
  WriteEvolveMode(evolve_.Checked());
  WriteFrameRateShown(frameRate_.Checked());
  if (monitors_.ItemIndex() >= 0) WriteMonitorsMode(MonitorsMode(monitors_.ItemIndex()));
  Close();
}

void TSettingsForm::OpenBanner() {
  PreviewPause();
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  browse_.OpenURL(kBannerAddress, [] { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); });
}

}  // namespace corvane
