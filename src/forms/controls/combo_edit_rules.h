#pragma once
// The rules of TComboEdit's nine number rows, free of the window system so
// that they are tested natively: what a key may add, what a text change or
// an up-down click does to a row's value and step, the drop-down history
// and where each row sits.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr int kComboEditRows = 9;
inline constexpr int kComboBoxWidth = 180;
inline constexpr int kComboBoxMaxChars = 18;
inline constexpr int kComboUpDownPosition = 50;

// One row's number and the amount an up-down click moves it by.
struct ComboEditRow {
  double value = 0.0;
  double rowStep = 1.0;
};

// Whether a typed character reaches a box that holds `text`: Backspace,
// digits, one "-" and one ".".
bool ComboEditKeyPasses(wchar_t character, std::string_view text);

// 10^-k for k characters after the first "."; 1 without a ".".
double RowStepFromText(std::string_view text);

// The number a box's text stands for: 0 for empty text and a lone "-",
// nothing when it does not parse.
std::optional<double> ComboEditTextValue(std::string_view text);

// What a text change asks of the control.
struct ComboEditTextChange {
  std::optional<std::string> resetText;  // put back into the box, nothing else happens
  std::optional<double> changedValue;    // fire the value-change event with it
};
ComboEditTextChange ComboEditTextChanged(ComboEditRow& row, std::string_view text);

// One up-down click on a box holding `text`: the value moves by the row's
// step (the step itself stays); returns the box's new text. Text that does
// not parse counts as the stored value. A result too large for number text
// raises EConvertError and leaves the row as it was.
std::string ComboEditStepClick(ComboEditRow& row, std::string_view text, bool up);

// Appends `text` unless the list already holds it exactly; true when added.
bool AddToHistory(std::vector<std::string>& history, const std::string& text);

// Where the parts of one row go, in the control's client pixels at 96 dpi.
struct ComboEditRowPlace {
  int labelLeft, labelTop;
  int boxLeft, boxTop;
  int upDownLeft, upDownTop, upDownHeight;
};
struct ComboEditLayout {
  ComboEditRowPlace rows[kComboEditRows];
  int width;  // the last up-down's right edge
};
// `labelWidths` of the nine labels; the label column is the widest of them
// and `minLabelWidth`; rows come in three groups of three.
ComboEditLayout LayOutComboEdit(int labelLeft, int top, int minLabelWidth, const std::vector<int>& labelWidths,
                                int boxHeight, int upDownWidth);

}  // namespace corvane
