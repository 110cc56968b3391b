#include "forms/transfer/transfer_form_win32.h"

#include <vector>

#include "desktop/open_url.h"
#include "os/message_box.h"

namespace corvane {

namespace {

std::vector<std::string> ParamNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= kParamCount; ++n) names.push_back(ParamName(n));
  return names;
}

}  // namespace

TTransferForm::TTransferForm(TransferTarget& target)
    : Form({.caption = "Transfer",
            // Wide enough for the longest status line at every dpi.
            .client = {288, 540},
            .border = gui::BorderStyle::SizeableToolWindow,
            .borderWidth = 2,
            .centred = true,
            .stayOnTop = true,
            .minSize = {300, 305}}),
      target_(target),
      grid_({.parent = this, .bounds = {0, 0, 288, 451}, .align = gui::Align::Fill, .font = {.bold = true},
             .keys = ParamNames(), .keyWidth = 80, .valueWidth = 202}),
      clear_(toolBar_.AddButton("Clear")),
      reload_(toolBar_.AddButton("Reload")),
      copy_(toolBar_.AddButton("Copy")),
      paste_(toolBar_.AddButton("Paste")) {
  onShow = [this] { FormShow(); };
  grid_.onBeginEdit = [](int, std::string& text) { text = TransferEditStartText(text); };
  grid_.onEditKeyPress = [this](gui::CharEvent& event) { GridKeyPress(event); };
  grid_.onEndEdit = [](int, std::string& value) { value = TransferEditEndValue(value); };
  grid_.onChange = [this] { CellsChanged(); };
  // The status and OK follow the typing, not only the end of an edit.
  grid_.onEditChange = [this] { CellsChanged(); };
  clear_.onClick = [this] { ClearClick(); };
  reload_.onClick = [this] { ReloadClick(); };
  copy_.onClick = [this] { CopyClick(); };
  paste_.onClick = [this] { PasteClick(); };
  ok_.onClick = [this] { OkClick(); };
  www_.onClick = [this] { WwwClick(); };
}

gui::Button& TTransferForm::ButtonNamed(const std::string& caption) {
  for (gui::Button* button : {&clear_, &reload_, &copy_, &paste_, &www_, &ok_, &cancel_})
    if (button->Text() == caption) return *button;
  throw gui::EGuiError("The transfer window has no button \"" + caption + "\".");
}

TransferCells TTransferForm::Cells() const {
  TransferCells cells;
  for (size_t i = 0; i < cells.size(); ++i) cells[i] = grid_.Value(int(i));
  // The cell being typed in counts with its text as it stands.
  if (grid_.Editing()) cells[size_t(grid_.Row())] = grid_.EditorText();
  return cells;
}

void TTransferForm::FormShow() { ReloadClick(); }

void TTransferForm::SetCells(const TransferCells& cells) {
  // A running edit would commit its text over the new value.
  grid_.EndEdit(false);
  grid_.SetValues(std::vector<std::string>(cells.begin(), cells.end()));
  CellsChanged();
}

void TTransferForm::CellsChanged() {
  const TransferCells cells = Cells();
  status_.SetPanelText(0, TransferStatusText(cells));
  ok_.SetEnabled(AllTransferCellsGood(cells));
}

void TTransferForm::ReloadClick() { SetCells(TransferCellsOf([this](int number) { return target_.GetParam(number); })); }

void TTransferForm::ClearClick() { SetCells(ParseTransferText(std::string(kParamCount, ';'))); }

void TTransferForm::CopyClick() {
  grid_.EndEdit(true);
  if (!gui::SetClipboardText(Handle(), BuildTransferText(Cells())))
    ShowMessageBox({.text = "The clipboard is in use by another program.", .caption = "Transfer",
                    .icon = BoxIcon::Warning});
}

void TTransferForm::PasteClick() {
  if (std::optional<std::string> text = gui::ClipboardText(Handle())) SetCells(ParseTransferText(*text));
}

void TTransferForm::OkClick() {
  // The cell being typed in counts as left.
  grid_.EndEdit(true);
  const TransferCells cells = Cells();
  if (!AllTransferCellsGood(cells)) return;
  for (int n = 1; n <= kParamCount; ++n) target_.SetParam(n, TransferCellValue(cells[size_t(n - 1)]));
  SetModalResult(gui::ModalResult::Ok);
}

void TTransferForm::WwwClick() {
  // Another window's browse would swallow this one and its end notice.
  if (BrowseInProgress()) return;
  if (onBrowseStart) onBrowseStart();
  www_.SetEnabled(false);
  browse_.OpenURL(kPresetExchangeAddress, [this] {
    www_.SetEnabled(true);
    if (onBrowseEnd) onBrowseEnd();
  });
}

void TTransferForm::GridKeyPress(gui::CharEvent& event) {
  const TransferKeyResult result =
      TransferKeyPress(grid_.EditorText(), event.character, grid_.EditorTextSelected());
  if (result.newText) grid_.SetEditorText(*result.newText);
  event.character = result.character;
}

}  // namespace corvane
