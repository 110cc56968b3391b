#include "forms/controls/combo_edit_rules.h"

#include <algorithm>
#include <cmath>

#include "presets/preset_text.h"

namespace corvane {

bool ComboEditKeyPasses(wchar_t character, std::string_view text) {
  if (character == L'\b' || (character >= L'0' && character <= L'9')) return true;
  if (character == L'-') return text.find('-') == std::string_view::npos;
  if (character == L'.') return text.find('.') == std::string_view::npos;
  return false;
}

double RowStepFromText(std::string_view text) {
  size_t point = text.find('.');
  if (point == std::string_view::npos) return 1.0;
  return std::pow(10.0, -double(text.size() - point - 1));
}

std::optional<double> ComboEditTextValue(std::string_view text) {
  if (text.empty() || text == "-") return 0.0;
  try {
    return PresetTextToFloat(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

ComboEditTextChange ComboEditTextChanged(ComboEditRow& row, std::string_view text) {
  std::optional<double> value = ComboEditTextValue(text);
  if (!value) return {.resetText = FloatToPresetText(row.value)};
  if (*value == row.value) return {};
  row.value = *value;
  row.rowStep = RowStepFromText(text);
  return {.changedValue = *value};
}

std::string ComboEditStepClick(ComboEditRow& row, std::string_view text, bool up) {
  double value = ComboEditTextValue(text).value_or(row.value);
  value = up ? value + row.rowStep : value - row.rowStep;
  std::string shown = FloatToPresetText(value);  // raises before the row changes
  row.value = value;
  return shown;
}

bool AddToHistory(std::vector<std::string>& history, const std::string& text) {
  if (std::find(history.begin(), history.end(), text) != history.end()) return false;
  history.push_back(text);
  return true;
}

ComboEditLayout LayOutComboEdit(int labelLeft, int top, int minLabelWidth, const std::vector<int>& labelWidths,
                                int boxHeight, int upDownWidth) {
  int column = minLabelWidth;
  for (int width : labelWidths) column = std::max(column, width);
  ComboEditLayout layout{};
  int boxLeft = column + 8;
  for (int i = 0; i < kComboEditRows; ++i) {
    int boxTop = top + i * (boxHeight + 2) + (i / 3) * 7;
    int upDownLeft = boxLeft + kComboBoxWidth + 2;
    layout.rows[i] = {labelLeft, boxTop - 1, boxLeft, boxTop, upDownLeft, boxTop - 1, boxHeight};
    layout.width = upDownLeft + upDownWidth;
  }
  return layout;
}

}  // namespace corvane
