#pragma once
// The configuration dialog's decisions, free of windows: the preset list it
// edits, which entry is current, the bred children it can keep, and what
// reaches the registry and when. Only deletions are written at once;
// everything else waits for Save.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "figure/preset_params.h"
#include "presets/registry_store.h"

namespace corvane {

struct SettingsEntry {
  std::string name;
  TPresetParams params;
};

class SettingsList {
 public:
  // Rebuilds the list from the registry (missing values as their defaults),
  // selects the entry named as current, compared case-blind, and reads the
  // remembered children, showing none of them.
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
  void Select(int index);  // -1 or out of range selects nothing; shows no child
  int Selected() const noexcept { return selected_; }
  const std::vector<SettingsEntry>& Entries() const noexcept { return entries_; }
  // The values the preview shows: the shown child's, else the selected
  // entry's, else the defaults.
  TPresetParams Shown() const;
  // A change of colour or motion blur; kept by the shown child, else by the
  // selected entry, else not at all.
  void SetSelectedParam(int number, double value);

  // The children the saver showed last, newest first.
  const std::vector<RememberedChild>& Children() const noexcept { return children_; }
  // Shows child `index` in place of the selected entry (-1 or out of range:
  // the entry again).
  void ShowChild(int index);
  int ShownChild() const noexcept { return shownChild_; }
  // Appends the shown child, with its edits, as an entry named after
  // KeptChildName and selects it; false, and nothing changed, with no child
  // shown. The child's values are the ones remembered, as it was seen:
  // its parents may have been edited or deleted since it was bred.
  bool KeepShownChild(std::string_view wantedName);
  // The wanted name trimmed, with "\" (which would address another
  // registry key) as "/", the shown child's proposed name when nothing is
  // left, and " (2)", " (3)", ... added while an entry has it, case-blind.
  std::string KeptChildName(std::string_view wantedName) const;

 private:
  std::vector<SettingsEntry> entries_;
  int selected_ = -1;
  std::vector<RememberedChild> children_;
  int shownChild_ = -1;
};

// The name proposed for keeping a child: its parents' names joined by " × ".
std::string ProposedChildName(const RememberedChild& child);
// The children's drop-down item for the child at `index`, newest first:
// "1. Jade Ribbon × Tiger Eye".
std::string ChildItemText(int index, const RememberedChild& child);

}  // namespace corvane
