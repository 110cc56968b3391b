#include "presets/preset_selection.h"

#include "figure/preset_params.h"
#include "os/random.h"
#include "presets/registry_store.h"

namespace corvane {

TPresetParams ReadStoredPreset(const std::string& name) {
  TPresetParams preset;
  for (int n = 1; n <= kParamCount; ++n) {
    double value;
    ReadListParam(name, n, value);  // the default when missing
    preset.SetValue(n, value);
  }
  return preset;
}

void ApplyStoredPreset(const std::string& name, ParamSink& drawer) {
  const TPresetParams preset = ReadStoredPreset(name);
  for (int n = 1; n <= kParamCount; ++n) drawer.SetParam(n, preset.GetValue(n));
  drawer.SetPresetName(name);
}

std::string ChooseSessionPreset() {
  bool random = false;
  ReadRandomMode(random);
  if (random) return RandomPresetName();
  std::string name;
  ReadCurrentPresetName(name);
  return name;
}

void MakeCurrent(const std::string& name) { WriteCurrentPresetName(name); }
void ForgetCurrent() { WriteCurrentPresetName(""); }

void SaverPresetSession::Start(ParamSink& drawer) {
  if (!(showChild && showChild(drawer))) ApplyStoredPreset(ChooseSessionPreset(), drawer);
  StartShuffle();
}

void SaverPresetSession::StartShuffle() {
  ReadShuffleMode(shuffleEnabled_);
  RestartCountdown();
}

void SaverPresetSession::ShuffleTick(ParamSink& drawer) {
  if (shuffleEnabled_) --presetChangeCountdown_;
  if (presetChangeCountdown_ < 1) {
    RestartCountdown();
    if (!(showChild && showChild(drawer))) ApplyStoredPreset(RandomPresetName(), drawer);
  }
}

void SaverPresetSession::RestartCountdown() { presetChangeCountdown_ = static_cast<int>(RandomInt(360)) + 60; }

}  // namespace corvane
