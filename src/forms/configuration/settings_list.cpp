#include "forms/configuration/settings_list.h"

#include <algorithm>

#include "os/text.h"
#include "presets/preset_selection.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"

namespace corvane {
void SettingsList::Load() {
  entries_.clear();
  selected_ = -1;
  std::vector<std::string> names;
  ListPresetNames(names);
  for (std::string& name : names) {
    TPresetParams params = ReadStoredPreset(name);
    entries_.push_back({std::move(name), params});
  }
  std::string current;
  ReadCurrentPresetName(current);
  selected_ = Find(current);
  ListRememberedChildren(children_);
  shownChild_ = -1;
}

void SettingsList::Add(const std::vector<std::string>& paths, const PresetReader& read) {
  if (paths.empty()) return;
  auto append = [&](const std::string& path) { entries_.push_back({PresetNameFromFile(path), read(path)}); };
  for (size_t i = 1; i < paths.size(); ++i) append(paths[i]);
  append(paths[0]);
  selected_ = Find(PresetNameFromFile(paths.size() == 1 ? paths[0] : paths[1]));
}

void SettingsList::DeleteSelected() {
  if (selected_ >= 0) {
    DeletePreset(entries_[size_t(selected_)].name);
    entries_.erase(entries_.begin() + selected_);
    selected_ = -1;
  }
  ForgetCurrent();
}

void SettingsList::Save(bool random, bool shuffle) const {
  for (const SettingsEntry& entry : entries_)
    for (int n = 1; n <= kParamCount; ++n) WriteListParam(entry.name, n, entry.params.GetValue(n));
  WriteCurrentPresetName(selected_ >= 0 ? entries_[size_t(selected_)].name : std::string());
  WriteRandomMode(random);
  WriteShuffleMode(shuffle);
}

int SettingsList::Find(std::string_view name) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (EqualIgnoringAsciiCase(entries_[i].name, name)) return int(i);
  return -1;
}

void SettingsList::Select(int index) {
  selected_ = index >= 0 && size_t(index) < entries_.size() ? index : -1;
  shownChild_ = -1;
}

TPresetParams SettingsList::Shown() const {
  if (shownChild_ >= 0) return children_[size_t(shownChild_)].params;
  return selected_ >= 0 ? entries_[size_t(selected_)].params : TPresetParams::Defaults();
}

void SettingsList::SetSelectedParam(int number, double value) {
  if (shownChild_ >= 0)
    children_[size_t(shownChild_)].params.SetValue(number, value);
  else if (selected_ >= 0)
    entries_[size_t(selected_)].params.SetValue(number, value);
}

void SettingsList::ShowChild(int index) { shownChild_ = index >= 0 && size_t(index) < children_.size() ? index : -1; }

bool SettingsList::KeepShownChild(std::string_view wantedName) {
  if (shownChild_ < 0) return false;
  entries_.push_back({KeptChildName(wantedName), children_[size_t(shownChild_)].params});
  selected_ = int(entries_.size()) - 1;
  shownChild_ = -1;
  return true;
}

std::string SettingsList::KeptChildName(std::string_view wantedName) const {
  const size_t first = wantedName.find_first_not_of(" \t");
  const size_t last = wantedName.find_last_not_of(" \t");
  std::string name(first == std::string_view::npos ? std::string_view() : wantedName.substr(first, last - first + 1));
  std::replace(name.begin(), name.end(), '\\', '/');
  if (name.empty() && shownChild_ >= 0) name = ProposedChildName(children_[size_t(shownChild_)]);
  std::string unique = name;
  for (int n = 2; Find(unique) >= 0; ++n) unique = name + " (" + std::to_string(n) + ")";
  return unique;
}

std::string ProposedChildName(const RememberedChild& child) { return child.parentA + " × " + child.parentB; }

std::string ChildItemText(int index, const RememberedChild& child) {
  return std::to_string(index + 1) + ". " + ProposedChildName(child);
}

}  // namespace corvane
