// Any bytes pasted as transfer text: every cell is a marker or number text,
// a preset results only when no cell is a marker, and number text converts
// to finite values that survive writing and reading. The same bytes typed
// into a pasted cell keep it to a number or the beginning of one, and the
// status line agrees with the cells. Every number, in a cell or as the
// whole text, can be written back.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "forms/transfer/transfer_rules.h"
#include "presets/number_round_trip.h"
#include "presets/preset_text.h"

namespace {

bool IsMarker(const std::string& cell) {
  using namespace corvane;
  return cell == kCellEmpty || cell == kCellError || cell == kCellAbsent;
}

// Types `keys` into a cell's editor with the caret at the end, as the
// transfer window does; the cell is left as the edit leaves it.
void TypeIntoCell(std::string& cell, std::string_view keys) {
  using namespace corvane;
  std::string text = TransferEditStartText(cell);
  bool typed = false;
  for (char key : keys) {
    TransferKeyResult result = TransferKeyPress(text, wchar_t(static_cast<unsigned char>(key)));
    if (result.newText) text = *result.newText;
    if (result.character == L'\b') {
      if (!text.empty()) text.pop_back();
    } else if (result.character) {
      text += char(result.character);
    }
    typed = typed || result.newText || result.character;
    if (!typed) continue;
    // Only a sign in front, one point and digits.
    const size_t minus = text.rfind('-');
    if (text.find_first_not_of("-.0123456789") != std::string::npos || (minus != std::string::npos && minus > 0) ||
        std::count(text.begin(), text.end(), '.') > 1)
      std::abort();
  }
  cell = TransferEditEndValue(text);
  if (ClassifyTransferCell(cell) == TransferCellKind::Absent) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  TransferCells cells = ParseTransferText(text);
  bool anyMarker = false;
  for (const std::string& cell : cells) {
    if (IsMarker(cell)) {
      anyMarker = true;
      continue;
    }
    if (cell.empty() || cell.find_first_not_of("-.0123456789") != std::string::npos) std::abort();
    // A number cell converts, and its value writes back.
    if (!IsPresetNumber(cell) || !test::NumberRoundTripFault(cell).empty()) std::abort();
  }
  std::optional<TPresetParams> preset = PresetFromTransferCells(cells);
  if (preset.has_value() == anyMarker) std::abort();
  if (!anyMarker && ParseTransferText(BuildTransferText(cells)) != cells) std::abort();

  // Typing keeps every cell a number or a marker; OK only when all are good.
  TypeIntoCell(cells[size % cells.size()], text.substr(0, 256));
  const bool good = AllTransferCellsGood(cells);
  if ((TransferStatusText(cells) == "Status : OK") != good) std::abort();

  // The same bytes as one number field.
  if (!test::NumberRoundTripFault(text).empty()) std::abort();
  return 0;
}
