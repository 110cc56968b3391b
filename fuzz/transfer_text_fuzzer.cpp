// Any bytes pasted as transfer text: every cell is a marker or number text,
// a preset results only when no cell is a marker, and number text converts
// to finite values that survive writing and reading.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "presets/preset_text.h"

namespace {

bool IsMarker(const std::string& cell) {
  using namespace corvane;
  return cell == kCellEmpty || cell == kCellError || cell == kCellAbsent;
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
    double value = PresetTextToFloat(cell);  // a number cell must convert
    if (!std::isfinite(value)) std::abort();
    try {
      std::string written = FloatToPresetText(value);
      if (FloatToPresetText(PresetTextToFloat(written)) != written) std::abort();
    } catch (const EConvertError&) {
    }
  }
  std::optional<TPresetParams> preset = PresetFromTransferCells(cells);
  if (preset.has_value() == anyMarker) std::abort();
  if (!anyMarker && ParseTransferText(BuildTransferText(cells)) != cells) std::abort();

  // The same bytes as one number field.
  try {
    if (!std::isfinite(PresetTextToFloat(text))) std::abort();
  } catch (const EConvertError&) {
  }
  return 0;
}
