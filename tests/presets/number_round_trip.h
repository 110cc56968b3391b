#pragma once
// The one rule of number text, checked for one input by the native tests and
// by the fuzzers alike: every text the readers accept has a value that can
// be written back. "The same value" is meant up to the writer's one
// rounding (15 significant digits, or 15 decimals below 1): the written
// text is a fixed point of reading and writing again, and the value read
// back from it lies within that rounding of the value first read.

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "presets/preset_text.h"

namespace corvane::test {

// Empty when `text` is refused or keeps the rule; otherwise what broke.
inline std::string NumberRoundTripFault(std::string_view text) {
  if (!IsPresetNumber(text)) return {};
  const double value = PresetTextToFloat(text);
  const std::optional<std::string> written = TryFloatToPresetText(value);
  if (!written) return "accepted but cannot be written";
  if (!IsPresetNumber(*written)) return "written as " + *written + ", which is refused";
  const double back = PresetTextToFloat(*written);
  if (TryFloatToPresetText(back) != written) return "written as " + *written + ", which does not write back alike";
  // Half a unit of the 15th digit, and half an ulp for reading it back.
  if (std::fabs(back - value) > 5.2e-15 * std::max(1.0, std::fabs(value)))
    return "written as " + *written + ", further from the value than one rounding";
  return {};
}

}  // namespace corvane::test
