#pragma once
// The stored preset list's rules: which preset a saver session starts with,
// how it is reshuffled during the session, and which one is current.

#include <functional>
#include <string>

#include "figure/preset_params.h"
#include "presets/param_sink.h"

namespace corvane {

// Parameters 1..69 of the stored preset; missing values are their defaults.
TPresetParams ReadStoredPreset(const std::string& name);
// Sends parameters 1..69 of the stored preset, in order; values that are
// missing go as their defaults, so an unknown or empty name gives the
// default preset.
void ApplyStoredPreset(const std::string& name, ParamSink& drawer);
// A random stored preset when Random is on, else the current one.
std::string ChooseSessionPreset();
void MakeCurrent(const std::string& name);
void ForgetCurrent();

// The preset side of one saver window, driven by its 500 ms timer.
class SaverPresetSession {
 public:
  // Where set and it sends a preset (a bred child), the session shows that
  // instead of a stored one, at the start and at every shuffle step.
  std::function<bool(ParamSink&)> showChild;

  // Applies the session's preset and starts the shuffle countdown.
  void Start(ParamSink& drawer);
  // Takes Shuffle as it is now and draws a countdown of 60..419 ticks.
  void StartShuffle();
  // One timer tick: counts down while shuffling and applies a random stored
  // preset when the countdown runs out.
  void ShuffleTick(ParamSink& drawer);

  bool ShuffleEnabled() const { return shuffleEnabled_; }
  int PresetChangeCountdown() const { return presetChangeCountdown_; }

 private:
  void RestartCountdown();

  bool shuffleEnabled_ = false;
  int presetChangeCountdown_ = 0;
};

}  // namespace corvane
