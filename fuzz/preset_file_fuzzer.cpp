// Any bytes as a preset file: never a crash, never a value the consumers
// cannot clamp, and what can be written reads back to the same bytes.

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "presets/preset_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  TPresetParams preset = ParsePresetFileText(std::string_view(reinterpret_cast<const char*>(data), size));
  for (int n = 1; n <= kParamCount; ++n)
    if (!std::isfinite(preset.GetValue(n))) std::abort();
  std::string written;
  try {
    written = PresetFileText(preset);
  } catch (const EConvertError&) {
    return 0;  // a value of 10^15 or more: refused, as it must be
  }
  if (PresetFileText(ParsePresetFileText(written)) != written) std::abort();
  return 0;
}
