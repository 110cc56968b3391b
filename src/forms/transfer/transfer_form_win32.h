#pragma once
// TTransferForm: the "Transfer" window. It shows the 69 values of its target
// in a grid, exchanges them with the clipboard as transfer text, checks every
// value, and sends the grid to the target with "OK".

#include <functional>
#include <string>

#include "desktop/open_url.h"
#include "forms/transfer/transfer_rules.h"
#include "gui/gui_win32.h"

namespace corvane {

class TTransferForm final : public gui::Form {
 public:
  explicit TTransferForm(TransferTarget& target);
  const char* ClassName() const noexcept override { return "TTransferForm"; }

  // Around "WWW": `onBrowseStart` before the page is asked for (the picture
  // pauses, the cursor waits), `onBrowseEnd` once the shell has answered.
  std::function<void()> onBrowseStart, onBrowseEnd;

  // The 69 cells; the one being typed in with its text as it stands.
  TransferCells Cells() const;
  gui::ValueGrid& Grid() noexcept { return grid_; }
  gui::Button& ButtonNamed(const std::string& caption);
  std::string StatusText() const { return status_.PanelText(0); }

 private:
  void FormShow();
  void SetCells(const TransferCells& cells);
  void CellsChanged();
  void ReloadClick();
  void ClearClick();
  void CopyClick();
  void PasteClick();
  void OkClick();
  void WwwClick();
  void GridKeyPress(gui::CharEvent& event);

  TransferTarget& target_;

  gui::StatusBar status_{{.parent = this, .bounds = {0, 0, 0, 19}, .align = gui::Align::Bottom,
                          .simpleText = kTransferStatusUnknown}};
  gui::Panel bottom_{{.parent = this, .bounds = {0, 0, 0, 70}, .align = gui::Align::Bottom}};
  gui::ValueGrid grid_;
  gui::ToolBar toolBar_{{.parent = &bottom_, .bounds = {0, 0, 0, 29}, .align = gui::Align::Top,
                         .buttonSize = {48, 21}, .buttonFont = {.bold = true}}};
  gui::Button& clear_;
  gui::Button& reload_;
  gui::Button& copy_;
  gui::Button& paste_;
  gui::Button www_{{.parent = &bottom_, .bounds = {3, 38, 65, 25},
                    .hint = "To open a site of an exchange of the presets", .font = {.bold = true}, .text = "WWW"}};
  gui::Button ok_{{.parent = &bottom_, .bounds = {81, 38, 65, 25}, .text = "OK", .isDefault = true}};
  gui::Button cancel_{{.parent = &bottom_, .bounds = {159, 38, 65, 25}, .text = "Cancel", .isCancel = true,
                       .modalResult = gui::ModalResult::Cancel}};
  BrowseClient browse_;
};

}  // namespace corvane
