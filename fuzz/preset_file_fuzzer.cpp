// Any bytes as a preset file: never a crash, never a value the consumers
// cannot clamp or the writer cannot write, and what is written reads back
// to the same bytes.

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "presets/preset_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  TPresetParams preset = ParsePresetFileText(std::string_view(reinterpret_cast<const char*>(data), size));
  // Every value read can be written: the reader refused 10^15 and more.
  for (int n = 1; n <= kParamCount; ++n)
    if (!std::isfinite(preset.GetValue(n)) || !TryFloatToPresetText(preset.GetValue(n))) std::abort();
  const std::string written = PresetFileText(preset);
  if (PresetFileText(ParsePresetFileText(written)) != written) std::abort();
  return 0;
}
