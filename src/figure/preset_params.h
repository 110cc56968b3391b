#pragma once
// The 69 numbered preset parameters: one table, the single source for
// storage keys, defaults, which consumer keeps a value and how it reads it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr int kParamCount = 69;

// What the consumer does with the double it is sent.
enum class ParamApply {
  AsSent,            // stored unchanged, sign and all
  Absolute,          // the sign dropped
  AbsoluteCapped,    // the sign dropped, then at most the cap
  RoundedAbsCapped,  // the sign dropped, rounded half to even into 0..cap (NaN: 0)
};
enum class ParamConsumer { Calcer, Renderer };

struct ParamInfo {
  int number;
  const char* name;
  double defaultValue;
  ParamApply apply;
  double cap;  // for the capped rules; 0 otherwise
  ParamConsumer consumer;
};

namespace param_table {

constexpr auto AsSent = ParamApply::AsSent;
constexpr auto Abs = ParamApply::Absolute;
constexpr auto AbsCap = ParamApply::AbsoluteCapped;
constexpr auto RoundCap = ParamApply::RoundedAbsCapped;
constexpr auto Calc = ParamConsumer::Calcer;
constexpr auto Rend = ParamConsumer::Renderer;
constexpr double kTwoThirds = 2.0 / 3.0;

inline constexpr std::array<ParamInfo, kParamCount> kParams = {{
    {1, "Points", 33, RoundCap, 100, Calc},
    {2, "Lines", 333, RoundCap, 10000, Calc},
    {3, "Ticks", 14, Abs, 0, Rend},
    {4, "Stochastity", 0, Abs, 0, Calc},
    {5, "Intensity", 1.1, Abs, 0, Calc},
    {6, "Density", 1.1, Abs, 0, Calc},
    {7, "MidDT", 0.251, AsSent, 0, Calc},
    {8, "ShiftDT", 0, Abs, 0, Calc},
    {9, "ScaleDDT", 0, AsSent, 0, Calc},
    {10, "MidAX", 400, AsSent, 0, Calc},
    {11, "ShiftAX", 0, Abs, 0, Calc},
    {12, "ScaleDAX", 0, AsSent, 0, Calc},
    {13, "MidAY", 400, AsSent, 0, Calc},
    {14, "ShiftAY", 0, Abs, 0, Calc},
    {15, "ScaleDAY", 0, AsSent, 0, Calc},
    {16, "MidAZ", 400, AsSent, 0, Calc},
    {17, "ShiftAZ", 0, Abs, 0, Calc},
    {18, "ScaleDAZ", 0, AsSent, 0, Calc},
    {19, "MidFX", 1, AsSent, 0, Calc},
    {20, "ShiftFX", 0, Abs, 0, Calc},
    {21, "ScaleDFX", 0, AsSent, 0, Calc},
    {22, "MidFY", 1, AsSent, 0, Calc},
    {23, "ShiftFY", 0, Abs, 0, Calc},
    {24, "ScaleDFY", 0, AsSent, 0, Calc},
    {25, "MidFZ", 1, AsSent, 0, Calc},
    {26, "ShiftFZ", 0, Abs, 0, Calc},
    {27, "ScaleDFZ", 0, AsSent, 0, Calc},
    {28, "MidPX", -kTwoThirds, AsSent, 0, Calc},
    {29, "ShiftPX", 0, Abs, 0, Calc},
    {30, "ScaleDPX", 0, AsSent, 0, Calc},
    {31, "MidPY", 0, AsSent, 0, Calc},
    {32, "ShiftPY", 0, Abs, 0, Calc},
    {33, "ScaleDPY", 0, AsSent, 0, Calc},
    {34, "MidPZ", kTwoThirds, AsSent, 0, Calc},
    {35, "ShiftPZ", 0, Abs, 0, Calc},
    {36, "ScaleDPZ", 0, AsSent, 0, Calc},
    {37, "MidNV", 0, AsSent, 0, Calc},
    {38, "ShiftNV", 0, Abs, 0, Calc},
    {39, "ScaleDNV", 0, AsSent, 0, Calc},
    {40, "MidTV", 0, AsSent, 0, Calc},
    {41, "ShiftTV", 0, Abs, 0, Calc},
    {42, "ScaleDTV", 0, AsSent, 0, Calc},
    {43, "MidBV", 0, AsSent, 0, Calc},
    {44, "ShiftBV", 0, Abs, 0, Calc},
    {45, "ScaleDBV", 0, AsSent, 0, Calc},
    {46, "ColorR1", 0, AsSent, 0, Calc},
    {47, "ColorR2", 1.1, AsSent, 0, Calc},
    {48, "ColorR3", 0, AsSent, 0, Calc},
    {49, "ColorG1", 0, AsSent, 0, Calc},
    {50, "ColorG2", 0, AsSent, 0, Calc},
    {51, "ColorG3", 0, AsSent, 0, Calc},
    {52, "ColorB1", 1.1, AsSent, 0, Calc},
    {53, "ColorB2", 0, AsSent, 0, Calc},
    {54, "ColorB3", 0, AsSent, 0, Calc},
    {55, "EyeX", 1800, AsSent, 0, Rend},
    {56, "EyeY", 1800, AsSent, 0, Rend},
    {57, "EyeZ", 1800, AsSent, 0, Rend},
    {58, "CenterX", 0, AsSent, 0, Rend},
    {59, "CenterY", 0, AsSent, 0, Rend},
    {60, "CenterZ", 0, AsSent, 0, Rend},
    {61, "UpX", -4082, AsSent, 0, Rend},
    {62, "UpY", 8165, AsSent, 0, Rend},
    {63, "UpZ", -4082, AsSent, 0, Rend},
    {64, "Blending", 1, RoundCap, 6, Rend},
    {65, "BGColorR", 0, AsSent, 0, Rend},
    {66, "BGColorG", 0, AsSent, 0, Rend},
    {67, "BGColorB", 0, AsSent, 0, Rend},
    {68, "BGColorA", 0, AsSent, 0, Rend},
    {69, "MotionBlur", 0, AbsCap, 255, Rend},
}};

}  // namespace param_table

// Entry for 1..69; nullptr for any other number.
constexpr const ParamInfo* FindParam(int number) {
  return number >= 1 && number <= kParamCount ? &param_table::kParams[static_cast<size_t>(number - 1)] : nullptr;
}

std::string ParamName(int number);    // empty outside 1..69
double ParamDefault(int number);      // 0.0 outside 1..69
// Number of the parameter with this exact name, 0 when there is none.
int ParamNumber(const std::string& name);
// The same with ASCII letters compared without regard to case, as preset
// files name them.
int ParamNumberIgnoringCase(std::string_view name);
bool IsRendererParam(int number);     // 3 and 55..69
// `value` as the parameter's consumer stores it, by the table's rule.
double AppliedValue(const ParamInfo& info, double value);

// One preset in memory: 69 doubles by number, all 0 when new.
class TPresetParams {
 public:
  TPresetParams() = default;
  void SetValue(int number, double value) {
    if (number >= 1 && number <= kParamCount) values_[static_cast<size_t>(number - 1)] = value;
  }
  double GetValue(int number) const {
    return number >= 1 && number <= kParamCount ? values_[static_cast<size_t>(number - 1)] : 0.0;
  }
  static TPresetParams Defaults();
  bool operator==(const TPresetParams&) const = default;

 private:
  std::array<double, kParamCount> values_{};
};

}  // namespace corvane
