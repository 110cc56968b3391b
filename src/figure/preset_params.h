#pragma once
// The 69 numbered preset parameters: one table, the single source for
// storage keys, defaults, how each consumer reads a value, and the editor.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr int kParamCount = 69;

enum class ParamKind { Integer, Real };
// What the consumer does with the double it is sent.
enum class ParamApply { RoundedAbsCapped, Absolute, Signed, AsSent, AbsoluteCapped };
enum class ParamConsumer { Calcer, Renderer };

struct ParamInfo {
  int number;
  const char* name;
  double defaultValue;
  ParamKind kind;
  ParamApply apply;
  double cap;             // for the capped kinds; 0 otherwise
  ParamConsumer consumer;
  const char* editorTab;  // nullptr: not on the editor's tabs
};

// Entry for 1..69; nullptr for any other number.
const ParamInfo* FindParam(int number);

std::string ParamName(int number);    // empty outside 1..69
double ParamDefault(int number);      // 0.0 outside 1..69
// Number of the parameter with this exact name, 0 when there is none.
int ParamNumber(const std::string& name);
// The same with ASCII letters compared without regard to case, as preset
// files name them.
int ParamNumberIgnoringCase(std::string_view name);
bool IsRendererParam(int number);     // 3 and 55..69

// The editor's seven tabs, nine parameters each: tab t shows 9(t-1)+1..9t.
inline constexpr std::array<const char*, 7> kEditorTabs = {"Spec.", "Amp.", "Freq.", "Phase",
                                                           "Vector", "Color", "Look At"};
// Row labels of the colour weights 46..54 in the configuration dialog.
inline constexpr std::array<const char*, 9> kColorModeNames = {
    "Red : 0 -> 1",   "Red : 1 -> 0",   "Red : Const",  "Green : 0 -> 1", "Green : 1 -> 0",
    "Green : Const", "Blue : 0 -> 1", "Blue : 1 -> 0", "Blue : Const"};

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
