#pragma once
// TSettingsForm: the dialog the system's screen-saver settings open. It edits
// the stored preset list with a live preview; only "OK" writes, except
// deletions, which are written at once.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/open_url.h"
#include "drawer/drawer.h"
#include "forms/configuration/settings_list.h"
#include "forms/controls/combo_edit_win32.h"
#include "forms/main_window/drawer_senders.h"
#include "forms/main_window/drawing_pause.h"
#include "gui/gui_win32.h"

namespace corvane {

inline constexpr char kBannerText[] = "Corvane: the figure in motion. Click for the project's home page.";
inline constexpr char kBannerAddress[] = "corvane.example.org";

// The panel the preview thread draws into: painting is left to that thread
// and the background is never erased under it.
class TPreviewPanel final : public gui::Panel {
 public:
  using Panel::Panel;
  const char* ClassName() const noexcept override { return "TPreviewPanel"; }
  std::function<void()> onPainted;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class TSettingsForm final : public gui::Form {
 public:
  TSettingsForm();
  ~TSettingsForm() override;
  const char* ClassName() const noexcept override { return "TSettingsForm"; }

  // The files "Add" appends; the system's open dialog unless replaced.
  using FileChooser = std::function<std::optional<std::vector<std::string>>()>;
  FileChooser chooseFiles;

  TDrawer& PreviewDrawer() { return *drawer_; }
  const SettingsList& List() const { return list_; }
  TComboEdit& ColourRows() { return comboEdit_; }
  gui::ComboBox& MonitorsList() { return monitors_; }
  gui::ComboBox& ChildrenList() { return children_; }
  // Whether the dialog's show has ended (the preview may run) and it is not hidden.
  bool PreviewOnScreen() const noexcept { return !pause_.IsMinimised(); }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void PreviewPause();
  void PreviewResume();
  void ShowList();
  void ShowPicked();  // a preset or child picked: the preview and controls follow
  void SendShown();
  void RefreshControls();
  void FillListBox();
  void AddFiles();
  void DeleteSelected();
  void ShowChildRow();
  void KeepChild();
  void SaveAndClose();
  void OpenBanner();

  SettingsList list_;
  std::atomic<HWND> endNotice_{nullptr};  // told when the preview thread ends

  gui::Label banner_{{.parent = this, .bounds = {0, 0, 586, 20}, .font = {.bold = true, .underline = true},
                      .text = kBannerText, .alignment = gui::TextAlign::Centre, .bevelled = true, .link = true}};
  TPreviewPanel preview_{{.parent = this, .bounds = {0, 32, 273, 217}, .enabled = false,
                          .border = gui::PanelBorder::Single, .systemColour = COLOR_BTNSHADOW}};
  TComboEdit comboEdit_{{.parent = this, .bounds = {273, 32, 313, 260}, .labelLeft = 4, .top = 0,
                         .minLabelWidth = 0}};
  gui::Button add_{{.parent = this, .bounds = {0, 264, 57, 25}, .text = "Add"}};
  gui::Button delete_{{.parent = this, .bounds = {64, 264, 57, 25}, .text = "Delete"}};
  gui::Button ok_{{.parent = this, .bounds = {152, 264, 57, 25}, .text = "OK"}};
  gui::Button cancel_{{.parent = this, .bounds = {216, 264, 57, 25}, .text = "Cancel", .isDefault = true,
                       .isCancel = true}};
  gui::TrackBar motionBlur_{{.parent = this, .bounds = {0, 296, 500, 33}, .hint = "Motion blur", .min = 0,
                             .max = 255, .pageSize = 8, .tickFrequency = 8, .ticksOnTop = true}};
  gui::ComboBox presets_{{.parent = this, .bounds = {0, 336, 500, 21}, .hint = "Current preset", .visibleRows = 16}};
  gui::CheckBox random_{{.parent = this, .bounds = {520, 304, 65, 17},
                         .hint = "Random mode of choice of the preset", .font = {.bold = true}, .text = "Random"}};
  gui::CheckBox shuffle_{{.parent = this, .bounds = {520, 336, 65, 17},
                          .hint = "Reshuffling of the presets during one session", .font = {.bold = true},
                          .text = "Shuffle"}};
  gui::CheckBox evolve_{{.parent = this, .bounds = {520, 368, 65, 17},
                         .hint = "Each session a new figure bred from two stored presets", .font = {.bold = true},
                         .text = "Evolve"}};
  gui::Label monitorsLabel_{{.parent = this, .bounds = {0, 368, 70, 17}, .font = {.bold = true}, .text = "Monitors"}};
  gui::ComboBox monitors_{{.parent = this, .bounds = {72, 365, 140, 21},
                           .hint = "Where the figure is drawn when there is more than one monitor"}};
  gui::CheckBox frameRate_{{.parent = this, .bounds = {232, 368, 180, 17},
                            .hint = "The frames per second and the preset's name in a corner of the saver",
                            .font = {.bold = true}, .text = "Show frames per second"}};
  gui::Label childrenLabel_{{.parent = this, .bounds = {0, 403, 70, 17}, .font = {.bold = true},
                             .text = "Children"}};
  gui::ComboBox children_{{.parent = this, .bounds = {72, 400, 220, 21},
                           .hint = "The figures the saver bred last, newest first", .visibleRows = 20}};
  gui::Edit childName_{{.parent = this, .bounds = {300, 400, 220, 21},
                        .hint = "The name the kept figure takes in the preset list", .maxLength = 200}};
  gui::Button keep_{{.parent = this, .bounds = {528, 398, 57, 25}, .text = "Keep"}};
  // Made after the preview window it draws into, and so gone before it.
  std::unique_ptr<TDrawer> drawer_;
  TDrawerSenders senders_{*drawer_};
  // The preview runs only while the dialog is on the screen and active.
  DrawingPause pause_{senders_};
  // The application's events reach the preview only while the drawing thread exists.
  gui::ScopedSlot<std::function<void()>> onActivate_{gui::Application::Instance().onActivate,
                                                     [this] { pause_.Activated(); }};
  gui::ScopedSlot<std::function<void()>> onDeactivate_{gui::Application::Instance().onDeactivate,
                                                       [this] { pause_.Deactivated(); }};
  BrowseClient browse_;
};

}  // namespace corvane
