#include "forms/controls/combo_edit_win32.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "os/message_box.h"
#include "os/text_win32.h"
#include "presets/preset_text.h"

namespace corvane {
namespace {

constexpr int kUpDownWidth = 17;
constexpr int kBoxFontHeight = 13;  // 10 points at 96 dpi

}  // namespace

TComboEdit::TComboEdit(const CreateArgs& args)
    : Panel(gui::WithControlFields<gui::Panel::CreateArgs>(args)),
      labelLeft_(args.labelLeft),
      top_(args.top),
      minLabelWidth_(args.minLabelWidth) {
  for (int i = 1; i <= kComboEditRows; ++i) {
    Row& row = At(i);
    row.label = std::make_unique<gui::Label>(gui::Label::CreateArgs{
        .parent = this, .bounds = {labelLeft_, top_, minLabelWidth_, 17}, .font = labelFont_, .tag = i});
    row.box = std::make_unique<gui::ComboBox>(gui::ComboBox::CreateArgs{
        .parent = this, .bounds = {0, top_, kComboBoxWidth, 21}, .font = {.height = kBoxFontHeight, .bold = true},
        .tag = i, .editable = true, .maxLength = kComboBoxMaxChars});
    row.upDown = std::make_unique<gui::UpDown>(gui::UpDown::CreateArgs{
        .parent = this, .bounds = {0, top_, kUpDownWidth, 21}, .tag = i, .tabStop = false,
        .position = kComboUpDownPosition, .wrap = true});
    row.box->onKeyPress = [this, i](gui::CharEvent& event) {
      if (!ComboEditKeyPasses(event.character, At(i).box->Text())) event.character = 0;
    };
    // While a pick from the list is reported the box still holds the old text.
    row.box->onSelect = [this, i] {
      Row& r = At(i);
      r.selecting = true;
      if (int index = r.box->ItemIndex(); index >= 0) TextChanged(i, r.box->Item(index));
    };
    row.box->onChange = [this, i] {
      Row& r = At(i);
      if (std::exchange(r.selecting, false)) return;
      TextChanged(i, r.box->Text());
    };
    row.upDown->onClick = [this, i](bool up) {
      Row& r = At(i);
      r.upDown->SetFocus();
      std::string text;
      try {
        text = ComboEditStepClick(r.state, r.box->Text(), up);
      } catch (const EConvertError& error) {
        // A value past the number format: said, and the row stays.
        ShowMessageBox({.text = error.Message(), .caption = "Corvane", .icon = BoxIcon::Error});
        return;
      }
      PutText(r, text);
      if (onValueChange) onValueChange(i, r.state.value);
    };
  }
  LayOut();
}

TComboEdit::~TComboEdit() = default;

void TComboEdit::PutText(Row& row, const std::string& text) {
  bool was = std::exchange(updating_, true);
  row.box->SetText(text);
  updating_ = was;
}

void TComboEdit::TextChanged(int index, const std::string& text) {
  if (updating_) return;
  Row& row = At(index);
  ComboEditTextChange change = ComboEditTextChanged(row.state, text);
  if (change.resetText) PutText(row, *change.resetText);
  if (change.changedValue && onValueChange) onValueChange(index, *change.changedValue);
}

void TComboEdit::KeepInHistory(Row& row) {
  std::vector<std::string> history = row.box->Items();
  std::string text = row.box->Text();
  if (AddToHistory(history, text)) row.box->AddItem(text);
}

bool TComboEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == CBN_KILLFOCUS) {
    for (Row& row : rows_)
      // Boxes that lose the focus while the rows are taken down are skipped.
      if (row.box && row.box->Handle() == reinterpret_cast<HWND>(lParam)) KeepInHistory(row);
    return true;
  }
  return Panel::OnMessage(message, wParam, lParam, result);
}

void TComboEdit::SetRowLabel(int row, const std::string& text) {
  At(row).label->SetText(text);
  LayOut();
}

void TComboEdit::SetRowValue(int index, double value) {
  Row& row = At(index);
  std::string text = FloatToPresetText(value);
  PutText(row, text);
  row.state = {value, RowStepFromText(text)};
  if (row.box->IndexOf(text) < 0) row.box->AddItem(text);
}

double TComboEdit::GetRowValue(int row) const { return rows_.at(size_t(row - 1)).state.value; }

void TComboEdit::ClearHistory() {
  for (Row& row : rows_) {
    std::string text = row.box->Text();
    row.box->Clear();
    PutText(row, text);
  }
}

void TComboEdit::SetLabelFont(const gui::FontSpec& font) {
  labelFont_ = font;
  for (Row& row : rows_) row.label->SetFont(font);
  LayOut();
}

// In 96-dpi units, the widest the text needs at the scales Windows offers:
// a font's hinting does not scale evenly, and the layout is scaled from 96 dpi.
int TComboEdit::LabelWidth(const std::string& text) const {
  const gui::FontSpec& labelFont = labelFont_.height ? labelFont_ : gui::kDefaultFont;
  std::wstring wide = Widen(text);
  HDC dc = GetDC(nullptr);
  int width = 0;
  for (int dpi : {96, 120, 144, 168, 192}) {
    gui::UniqueFont font = gui::CreateFontAt(labelFont, dpi);
    HGDIOBJ old = SelectObject(dc, font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
    SelectObject(dc, old);
    width = std::max(width, (int(size.cx) * gui::kDesignDpi + dpi - 1) / dpi);
  }
  ReleaseDC(nullptr, dc);
  return width;
}

void TComboEdit::LayOut() {
  std::vector<int> widths;
  for (Row& row : rows_) widths.push_back(LabelWidth(row.label->Text()));
  // The box's field height as the system draws it, back at 96 dpi.
  RECT field{};
  GetWindowRect(rows_[0].box->Handle(), &field);
  int boxHeight = MulDiv(field.bottom - field.top, gui::kDesignDpi, Dpi());
  ComboEditLayout layout = LayOutComboEdit(labelLeft_, top_, minLabelWidth_, widths, boxHeight, kUpDownWidth);
  for (int i = 0; i < kComboEditRows; ++i) {
    const ComboEditRowPlace& place = layout.rows[i];
    Row& row = rows_[size_t(i)];
    row.label->SetBounds({place.labelLeft, place.labelTop, widths[size_t(i)] + 2, boxHeight});
    row.box->SetBounds({place.boxLeft, place.boxTop, kComboBoxWidth, boxHeight});
    row.upDown->SetBounds({place.upDownLeft, place.upDownTop, kUpDownWidth, place.upDownHeight});
  }
  width_ = layout.width;
}

}  // namespace corvane
