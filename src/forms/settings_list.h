#pragma once
// The configuration dialog's decisions, free of windows: the preset list it
// edits, which entry is current, and what reaches the registry and when.
// Only deletions are written at once; everything else waits for Save.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "figure/preset_params.h"

namespace corvane {

struct SettingsEntry {
  std::string name;
  TPresetParams params;
};

class SettingsList {
 public:
  // Rebuilds the list from the registry (missing values as their defaults)
  // and selects the entry named as current, compared case-blind.
  void Load();

  // Reads the chosen files in the order 2..n, then 1, appending one entry
  // each (equal names allowed), then selects by name the first file's entry
  // for one file, else the second's. A reader that raises stops there: the
  // entries appended before stay and the selection is left as it was.
  using PresetReader = std::function<TPresetParams(const std::string& path)>;
  void Add(const std::vector<std::string>& paths, const PresetReader& read);

  // Deletes the selected preset from the registry now, drops its entry and
  // forgets the current preset (also with nothing selected).
  void DeleteSelected();

  // Every entry's 69 values in list order (a later equal name wins), the
  // current name (empty with nothing selected) and the two flags.
  void Save(bool random, bool shuffle) const;

  // The first entry of that name, case-blind; -1 when there is none.
  int Find(std::string_view name) const;
  void Select(int index);  // -1 or out of range selects nothing
  int Selected() const noexcept { return selected_; }
  const std::vector<SettingsEntry>& Entries() const noexcept { return entries_; }
  // The values the preview shows: the selected entry's, else the defaults.
  TPresetParams Shown() const;
  // A change of colour or motion blur; kept only when an entry is selected.
  void SetSelectedParam(int number, double value);

 private:
  std::vector<SettingsEntry> entries_;
  int selected_ = -1;
};

// The window handle after "/c:" in the first argument; nothing for "/c"
// alone or for text that is not a decimal number.
std::optional<uintptr_t> ConfigurationOwnerHandle(const std::vector<std::string>& arguments);

}  // namespace corvane
