#include "figure/preset_params.h"

#include "os/text.h"

namespace corvane {
namespace {

constexpr auto I = ParamKind::Integer;
constexpr auto R = ParamKind::Real;
constexpr auto RoundCap = ParamApply::RoundedAbsCapped;
constexpr auto Abs = ParamApply::Absolute;
constexpr auto Sgn = ParamApply::Signed;
constexpr auto AsSent = ParamApply::AsSent;
constexpr auto AbsCap = ParamApply::AbsoluteCapped;
constexpr auto Calc = ParamConsumer::Calcer;
constexpr auto Rend = ParamConsumer::Renderer;

constexpr double kTwoThirds = 2.0 / 3.0;

constexpr std::array<ParamInfo, kParamCount> kParams = {{
    {1, "Points", 33, I, RoundCap, 100, Calc, "Spec."},
    {2, "Lines", 333, I, RoundCap, 10000, Calc, "Spec."},
    {3, "Ticks", 14, R, Abs, 0, Rend, "Spec."},
    {4, "Stochastity", 0, R, Abs, 0, Calc, "Spec."},
    {5, "Intensity", 1.1, R, Abs, 0, Calc, "Spec."},
    {6, "Density", 1.1, R, Abs, 0, Calc, "Spec."},
    {7, "MidDT", 0.251, R, Sgn, 0, Calc, "Spec."},
    {8, "ShiftDT", 0, R, Abs, 0, Calc, "Spec."},
    {9, "ScaleDDT", 0, R, Sgn, 0, Calc, "Spec."},
    {10, "MidAX", 400, R, Sgn, 0, Calc, "Amp."},
    {11, "ShiftAX", 0, R, Abs, 0, Calc, "Amp."},
    {12, "ScaleDAX", 0, R, Sgn, 0, Calc, "Amp."},
    {13, "MidAY", 400, R, Sgn, 0, Calc, "Amp."},
    {14, "ShiftAY", 0, R, Abs, 0, Calc, "Amp."},
    {15, "ScaleDAY", 0, R, Sgn, 0, Calc, "Amp."},
    {16, "MidAZ", 400, R, Sgn, 0, Calc, "Amp."},
    {17, "ShiftAZ", 0, R, Abs, 0, Calc, "Amp."},
    {18, "ScaleDAZ", 0, R, Sgn, 0, Calc, "Amp."},
    {19, "MidFX", 1, R, Sgn, 0, Calc, "Freq."},
    {20, "ShiftFX", 0, R, Abs, 0, Calc, "Freq."},
    {21, "ScaleDFX", 0, R, Sgn, 0, Calc, "Freq."},
    {22, "MidFY", 1, R, Sgn, 0, Calc, "Freq."},
    {23, "ShiftFY", 0, R, Abs, 0, Calc, "Freq."},
    {24, "ScaleDFY", 0, R, Sgn, 0, Calc, "Freq."},
    {25, "MidFZ", 1, R, Sgn, 0, Calc, "Freq."},
    {26, "ShiftFZ", 0, R, Abs, 0, Calc, "Freq."},
    {27, "ScaleDFZ", 0, R, Sgn, 0, Calc, "Freq."},
    {28, "MidPX", -kTwoThirds, R, Sgn, 0, Calc, "Phase"},
    {29, "ShiftPX", 0, R, Abs, 0, Calc, "Phase"},
    {30, "ScaleDPX", 0, R, Sgn, 0, Calc, "Phase"},
    {31, "MidPY", 0, R, Sgn, 0, Calc, "Phase"},
    {32, "ShiftPY", 0, R, Abs, 0, Calc, "Phase"},
    {33, "ScaleDPY", 0, R, Sgn, 0, Calc, "Phase"},
    {34, "MidPZ", kTwoThirds, R, Sgn, 0, Calc, "Phase"},
    {35, "ShiftPZ", 0, R, Abs, 0, Calc, "Phase"},
    {36, "ScaleDPZ", 0, R, Sgn, 0, Calc, "Phase"},
    {37, "MidNV", 0, R, Sgn, 0, Calc, "Vector"},
    {38, "ShiftNV", 0, R, Abs, 0, Calc, "Vector"},
    {39, "ScaleDNV", 0, R, Sgn, 0, Calc, "Vector"},
    {40, "MidTV", 0, R, Sgn, 0, Calc, "Vector"},
    {41, "ShiftTV", 0, R, Abs, 0, Calc, "Vector"},
    {42, "ScaleDTV", 0, R, Sgn, 0, Calc, "Vector"},
    {43, "MidBV", 0, R, Sgn, 0, Calc, "Vector"},
    {44, "ShiftBV", 0, R, Abs, 0, Calc, "Vector"},
    {45, "ScaleDBV", 0, R, Sgn, 0, Calc, "Vector"},
    {46, "ColorR1", 0, R, Sgn, 0, Calc, "Color"},
    {47, "ColorR2", 1.1, R, Sgn, 0, Calc, "Color"},
    {48, "ColorR3", 0, R, Sgn, 0, Calc, "Color"},
    {49, "ColorG1", 0, R, Sgn, 0, Calc, "Color"},
    {50, "ColorG2", 0, R, Sgn, 0, Calc, "Color"},
    {51, "ColorG3", 0, R, Sgn, 0, Calc, "Color"},
    {52, "ColorB1", 1.1, R, Sgn, 0, Calc, "Color"},
    {53, "ColorB2", 0, R, Sgn, 0, Calc, "Color"},
    {54, "ColorB3", 0, R, Sgn, 0, Calc, "Color"},
    {55, "EyeX", 1800, R, Sgn, 0, Rend, "Look At"},
    {56, "EyeY", 1800, R, Sgn, 0, Rend, "Look At"},
    {57, "EyeZ", 1800, R, Sgn, 0, Rend, "Look At"},
    {58, "CenterX", 0, R, Sgn, 0, Rend, "Look At"},
    {59, "CenterY", 0, R, Sgn, 0, Rend, "Look At"},
    {60, "CenterZ", 0, R, Sgn, 0, Rend, "Look At"},
    {61, "UpX", -4082, R, Sgn, 0, Rend, "Look At"},
    {62, "UpY", 8165, R, Sgn, 0, Rend, "Look At"},
    {63, "UpZ", -4082, R, Sgn, 0, Rend, "Look At"},
    {64, "Blending", 1, I, RoundCap, 6, Rend, nullptr},
    {65, "BGColorR", 0, R, AsSent, 0, Rend, nullptr},
    {66, "BGColorG", 0, R, AsSent, 0, Rend, nullptr},
    {67, "BGColorB", 0, R, AsSent, 0, Rend, nullptr},
    {68, "BGColorA", 0, R, AsSent, 0, Rend, nullptr},
    {69, "MotionBlur", 0, R, AbsCap, 255, Rend, nullptr},
}};

}  // namespace

const ParamInfo* FindParam(int number) {
  return number >= 1 && number <= kParamCount ? &kParams[static_cast<size_t>(number - 1)] : nullptr;
}

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

TPresetParams TPresetParams::Defaults() {
  TPresetParams preset;
  for (const ParamInfo& info : kParams) preset.SetValue(info.number, info.defaultValue);
  return preset;
}

}  // namespace corvane
