#include "forms/transfer/transfer_rules.h"

namespace corvane {

namespace {

// A sign, digits and one point: typed text on the way to a number, or past
// the number format (its edit ends as ERROR). Emptying it would lose what
// was typed.
bool IsTypedNumber(std::string_view text) {
  if (!text.empty() && text[0] == '-') text.remove_prefix(1);
  return text.find_first_not_of("0123456789.") == std::string_view::npos &&
         text.find('.') == text.rfind('.');
}

}  // namespace

TransferCellKind ClassifyTransferCell(std::string_view cell) {
  if (cell.empty() || cell == kCellEmpty) return TransferCellKind::Empty;
  if (cell == kCellAbsent) return TransferCellKind::Absent;
  return IsPresetNumber(cell) ? TransferCellKind::Good : TransferCellKind::Error;
}

bool AllTransferCellsGood(const TransferCells& cells) {
  for (const std::string& cell : cells)
    if (ClassifyTransferCell(cell) != TransferCellKind::Good) return false;
  return true;
}

std::string TransferStatusText(const TransferCells& cells) {
  bool present[4] = {};
  for (const std::string& cell : cells) present[int(ClassifyTransferCell(cell))] = true;
  const std::pair<TransferCellKind, const char*> kinds[] = {
      {TransferCellKind::Empty, kCellEmpty}, {TransferCellKind::Error, kCellError}, {TransferCellKind::Absent, kCellAbsent}};
  std::string named;
  for (const auto& [kind, name] : kinds)
    if (present[int(kind)]) named += (named.empty() ? "" : ", ") + std::string(name);
  return kTransferStatusPrefix + (named.empty() ? std::string("OK") : named + " values is detected");
}

TransferKeyResult TransferKeyPress(std::string_view text, wchar_t character, bool textSelected) {
  const bool digit = character >= L'0' && character <= L'9';
  if (!digit && character != L'\b' && character != L'+' && character != L'-' && character != L'.') return {};
  const bool sign = character == L'+' || character == L'-';
  if (textSelected && !sign) return {.character = character};
  TransferKeyResult result{.character = character};
  std::string current(text);
  if (!IsTypedNumber(current)) {
    current.clear();
    result.newText = current;
  }
  const size_t minus = current.find('-');
  if (sign) {
    result.character = 0;
    if (character == L'+' && minus != std::string::npos) result.newText = current.erase(minus, 1);
    if (character == L'-' && minus == std::string::npos) result.newText = "-" + current;
  } else if (character == L'.' && current.find('.') != std::string::npos) {
    result.character = 0;
  }
  return result;
}

std::string TransferEditStartText(std::string_view value) { return value.empty() ? kCellEmpty : std::string(value); }

std::string TransferEditEndValue(std::string_view text) {
  if (text.empty()) return kCellEmpty;
  return IsPresetNumber(text) ? std::string(text) : kCellError;
}

TransferCells TransferCellsOf(const std::function<double(int number)>& getParam) {
  TransferCells cells;
  for (int n = 1; n <= kParamCount; ++n) {
    try {
      cells[size_t(n - 1)] = FloatToPresetText(getParam(n));
    } catch (const EConvertError&) {
      cells[size_t(n - 1)] = kCellError;
    }
  }
  return cells;
}

double TransferCellValue(std::string_view cell) {
  return IsPresetNumber(cell) ? PresetTextToFloat(cell) : 0.0;
}

}  // namespace corvane
