#include "figure/preset_params.h"

#include <algorithm>
#include <cmath>

#include "figure/rounding.h"
#include "os/text.h"

namespace corvane {

using param_table::kParams;

std::string ParamName(int number) {
  const ParamInfo* info = FindParam(number);
  return info ? info->name : "";
}

double ParamDefault(int number) {
  const ParamInfo* info = FindParam(number);
  return info ? info->defaultValue : 0.0;
}

int ParamNumber(const std::string& name) {
  for (const ParamInfo& info : kParams)
    if (name == info.name) return info.number;
  return 0;
}

int ParamNumberIgnoringCase(std::string_view name) {
  for (const ParamInfo& info : kParams)
    if (EqualIgnoringAsciiCase(name, info.name)) return info.number;
  return 0;
}

bool IsRendererParam(int number) {
  const ParamInfo* info = FindParam(number);
  return info && info->consumer == ParamConsumer::Renderer;
}

double AppliedValue(const ParamInfo& info, double value) {
  switch (info.apply) {
    case ParamApply::AsSent:
      return value;
    case ParamApply::Absolute:
      return std::fabs(value);
    case ParamApply::AbsoluteCapped:
      return std::min(std::fabs(value), info.cap);  // NaN stays NaN
    case ParamApply::RoundedAbsCapped:
      return RoundClamped(std::fabs(value), static_cast<uint32_t>(info.cap));
  }
  return value;
}

TPresetParams TPresetParams::Defaults() {
  TPresetParams preset;
  for (const ParamInfo& info : kParams) preset.SetValue(info.number, info.defaultValue);
  return preset;
}

}  // namespace corvane
