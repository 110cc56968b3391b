#include "evolve/evolved_session.h"

#include <string>
#include <vector>

#include "evolve/child_checks.h"
#include "os/random.h"
#include "presets/preset_selection.h"
#include "presets/registry_store.h"

namespace corvane {
bool ShowEvolvedChild(ParamSink& drawer) {
  bool evolve = false;
  ReadEvolveMode(evolve);
  std::vector<std::string> names;
  if (!evolve || !ListPresetNames(names) || names.size() < 2) return false;
  const auto count = static_cast<uint32_t>(names.size());
  const uint32_t first = RandomInt(count);
  uint32_t second = RandomInt(count - 1);
  if (second >= first) ++second;
  const ShownPreset shown =
      BreedShownChild(ReadStoredPreset(names[first]), ReadStoredPreset(names[second]), NewBreedSeed());
  for (int n = 1; n <= kParamCount; ++n) drawer.SetParam(n, shown.preset.GetValue(n));
  drawer.SetPresetName(shown.isChild ? names[first] + " x " + names[second] : names[first]);
  if (shown.isChild) RememberChild({names[first], names[second], shown.seed, shown.preset});
  return true;
}

uint64_t NewBreedSeed() { return uint64_t{RandomInt(UINT32_MAX)} << 32 | RandomInt(UINT32_MAX); }

}  // namespace corvane
