#include "presets/registry_store.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "figure/preset_params.h"
#include "os/little_endian.h"
#include "os/random.h"
#include "presets/preset_text.h"

namespace corvane {
namespace {

constexpr char kWorkPreset[] = "WorkPreset";
constexpr char kListPresets[] = "ListPresets";
constexpr char kEvolvedPresets[] = "EvolvedPresets";
constexpr char kListWallpapers[] = "ListWallpapers";
constexpr char kStagedWallpapers[] = "ListWallpapers.new";
constexpr char kReplacedWallpapers[] = "ListWallpapers.old";

RegistryPlace& Place() {
  static RegistryPlace place{&SystemRegistry(), kRegistryRoot};
  return place;
}

// No registry failure, not even running out of memory, reaches a caller.
template <class Operation>
bool Guarded(Operation&& operation) noexcept {
  try {
    return operation();
  } catch (...) {
    return false;
  }
}

std::string Join(const std::string& path, const std::string& name) {
  return name.empty() ? path : path + "\\" + name;
}

std::unique_ptr<RegistryKey> Open(const std::string& subkey, bool create) {
  return Place().backend->OpenKey(Join(Place().root, subkey), create);
}

// A subkey name must be one key, not a path.
bool IsKeyName(const std::string& name) { return name.find('\\') == std::string::npos; }

std::string PresetKey(const std::string& preset) { return Join(kListPresets, preset); }

bool ReadTyped(const std::string& subkey, const std::string& name, RegistryType wanted, std::string& data) {
  auto key = Open(subkey, false);
  RegistryType type;
  return key && key->ReadValue(name, type, data) && type == wanted;
}

bool WriteTyped(const std::string& subkey, const std::string& name, RegistryType type, const std::string& data) {
  auto key = Open(subkey, true);
  return key && key->WriteValue(name, type, data);
}

bool ReadDword(const std::string& subkey, const std::string& name, uint32_t& value) {
  std::string data;
  if (!ReadTyped(subkey, name, RegistryType::Dword, data) || data.size() != 4) return false;
  value = static_cast<uint32_t>(FromLittleEndian(data));
  return true;
}

bool WriteDword(const std::string& subkey, const std::string& name, uint32_t value) {
  return WriteTyped(subkey, name, RegistryType::Dword, LittleEndianBytes(value, 4));
}

bool ReadFlag(const std::string& subkey, const std::string& name, bool& on) {
  on = false;
  return Guarded([&] {
    uint32_t value;
    if (!ReadDword(subkey, name, value)) return false;
    on = value != 0;
    return true;
  });
}

bool WriteFlag(const std::string& subkey, const std::string& name, bool on) {
  return Guarded([&] { return WriteDword(subkey, name, on ? 1 : 0); });
}

// A missing text value is empty text; a value of another type is a failure.
bool ReadText(const std::string& subkey, const std::string& name, std::string& text) {
  text.clear();
  return Guarded([&] {
    auto key = Open(subkey, false);
    if (!key) return false;
    RegistryType type;
    std::string data;
    if (!key->ReadValue(name, type, data)) return true;
    if (type != RegistryType::String) return false;
    text = std::move(data);
    return true;
  });
}

bool WriteText(const std::string& subkey, const std::string& name, const std::string& text) {
  return Guarded([&] { return WriteTyped(subkey, name, RegistryType::String, text); });
}

bool ReadParam(const std::string& subkey, int number, double& value) {
  value = ParamDefault(number);
  if (!FindParam(number)) return false;
  return Guarded([&] {
    std::string data;
    if (!ReadTyped(subkey, ParamName(number), RegistryType::Binary, data) || data.size() != sizeof(double))
      return false;
    const double stored = std::bit_cast<double>(FromLittleEndian(data));
    // The same rule as number text: a value that cannot be shown or written
    // back (NaN, 10^15 and more) is unreadable.
    if (!TryFloatToPresetText(stored)) return false;
    value = stored;
    return true;
  });
}

bool WriteParam(const std::string& subkey, int number, double value) {
  if (!FindParam(number)) return false;
  return Guarded([&] {
    return WriteTyped(subkey, ParamName(number), RegistryType::Binary,
                      LittleEndianBytes(std::bit_cast<uint64_t>(value), sizeof(double)));
  });
}

// A new wallpapers list is written completely under a key of its own, then
// takes the list's place by two renames, so that a failed write leaves the
// old list as it was.
bool StageWallpapers(const std::vector<WallpaperListItem>& list) {
  for (const WallpaperListItem& item : list) {
    std::string subkey = Join(kStagedWallpapers, item.key);
    if (!WriteDword(subkey, "Style", item.wallpaper.Style) ||
        !WriteTyped(subkey, "FileName", RegistryType::String, item.wallpaper.FileName))
      return false;
  }
  return true;
}

// The old list (with its State value) goes; the staged one, when there is
// one, comes in its place. On failure the old list is put back.
bool SwapInStagedWallpapers(bool staged) {
  RegistryBackend& backend = *Place().backend;
  const std::string list = Join(Place().root, kListWallpapers), old = Join(Place().root, kReplacedWallpapers);
  const bool hadList = Open(kListWallpapers, false) != nullptr;
  if (hadList) {
    backend.DeleteKeyTree(old);
    if (!backend.RenameKey(list, kReplacedWallpapers)) return false;
  }
  if (staged && !backend.RenameKey(Join(Place().root, kStagedWallpapers), kListWallpapers)) {
    if (hadList) backend.RenameKey(old, kListWallpapers);
    return false;
  }
  if (hadList) backend.DeleteKeyTree(old);  // a leftover is never read
  return true;
}

}  // namespace

RegistryPlace CurrentRegistryPlace() { return Place(); }
void SetRegistryPlace(RegistryPlace place) { Place() = std::move(place); }

bool WriteWorkParam(int number, double value) { return WriteParam(kWorkPreset, number, value); }
bool ReadWorkParam(int number, double& value) { return ReadParam(kWorkPreset, number, value); }

bool WriteListParam(const std::string& preset, int number, double value) {
  return IsKeyName(preset) && WriteParam(PresetKey(preset), number, value);
}

bool ReadListParam(const std::string& preset, int number, double& value) {
  if (IsKeyName(preset)) return ReadParam(PresetKey(preset), number, value);
  value = ParamDefault(number);
  return false;
}

bool ListPresetNames(std::vector<std::string>& names) {
  names.clear();
  return Guarded([&] {
    auto key = Open(kListPresets, false);
    return key && key->SubkeyNames(names);
  });
}

std::string RandomPresetName() {
  std::vector<std::string> names;
  ListPresetNames(names);
  if (names.empty()) return {};
  return names[RandomInt(static_cast<uint32_t>(names.size()))];
}

bool DeletePreset(const std::string& preset) {
  if (preset.empty() || !IsKeyName(preset)) return false;
  return Guarded([&] { return Place().backend->DeleteKeyTree(Join(Place().root, PresetKey(preset))); });
}

bool WriteCurrentPresetName(const std::string& name) { return WriteText(kListPresets, "Name", name); }
bool ReadCurrentPresetName(std::string& name) { return ReadText(kListPresets, "Name", name); }
bool WriteRandomMode(bool on) { return WriteFlag(kListPresets, "Random", on); }
bool ReadRandomMode(bool& on) { return ReadFlag(kListPresets, "Random", on); }
bool WriteShuffleMode(bool on) { return WriteFlag(kListPresets, "Shuffle", on); }
bool ReadShuffleMode(bool& on) { return ReadFlag(kListPresets, "Shuffle", on); }
bool WriteMonitorsMode(MonitorsMode mode) {
  return Guarded([&] { return WriteDword(kListPresets, "Monitors", static_cast<uint32_t>(mode)); });
}
bool ReadMonitorsMode(MonitorsMode& mode) {
  mode = MonitorsMode::Span;
  return Guarded([&] {
    uint32_t value;
    if (!ReadDword(kListPresets, "Monitors", value) || value > uint32_t(MonitorsMode::PrimaryOnly)) return false;
    mode = static_cast<MonitorsMode>(value);
    return true;
  });
}
bool WriteEvolveMode(bool on) { return WriteFlag(kListPresets, "Evolve", on); }
bool ReadEvolveMode(bool& on) { return ReadFlag(kListPresets, "Evolve", on); }
bool WriteFrameRateShown(bool on) { return WriteFlag(kListPresets, "ShowFPS", on); }
bool ReadFrameRateShown(bool& on) { return ReadFlag(kListPresets, "ShowFPS", on); }

// Slot "Next mod 20" takes the child; its order is written last, so that a
// child written in part is never listed.
bool RememberChild(const RememberedChild& child) {
  return Guarded([&] {
    uint32_t next = 0;
    ReadDword(kEvolvedPresets, "Next", next);
    const std::string slot = Join(kEvolvedPresets, std::to_string(next % kRememberedChildren));
    Place().backend->DeleteKeyTree(Join(Place().root, slot));  // none there yet is fine
    bool written = WriteText(slot, "ParentA", child.parentA) && WriteText(slot, "ParentB", child.parentB) &&
                   WriteText(slot, "Seed", std::to_string(child.seed));
    for (int n = 1; written && n <= kParamCount; ++n) written = WriteParam(slot, n, child.params.GetValue(n));
    return written && WriteDword(slot, "Order", next) && WriteDword(kEvolvedPresets, "Next", next + 1);
  });
}

bool ListRememberedChildren(std::vector<RememberedChild>& children) {
  children.clear();
  return Guarded([&] {
    auto key = Open(kEvolvedPresets, false);
    std::vector<std::string> slots;
    if (!key) return true;  // none shown yet
    if (!key->SubkeyNames(slots)) return false;
    std::vector<std::pair<uint32_t, RememberedChild>> found;
    for (const std::string& slot : slots) {
      const std::string path = Join(kEvolvedPresets, slot);
      RememberedChild child;
      uint32_t order = 0;
      std::string seed;
      if (!ReadDword(path, "Order", order) || !ReadText(path, "ParentA", child.parentA) ||
          !ReadText(path, "ParentB", child.parentB) || !ReadText(path, "Seed", seed))
        continue;
      const auto [end, error] = std::from_chars(seed.data(), seed.data() + seed.size(), child.seed);
      if (seed.empty() || error != std::errc() || end != seed.data() + seed.size()) continue;
      for (int n = 1; n <= kParamCount; ++n) {
        double value;
        ReadParam(path, n, value);  // the default when missing
        child.params.SetValue(n, value);
      }
      found.emplace_back(order, std::move(child));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (auto& entry : found) children.push_back(std::move(entry.second));
    return true;
  });
}

bool WriteShowSetup(bool on) { return WriteFlag("", "ShowSetup", on); }
bool ReadShowSetup(bool& on) { return ReadFlag("", "ShowSetup", on); }
bool WriteWallpapersState(bool on) { return WriteFlag(kListWallpapers, "State", on); }
bool ReadWallpapersState(bool& on) { return ReadFlag(kListWallpapers, "State", on); }
bool WriteFileVersion(const std::string& version) { return WriteText("", "FileVersion", version); }
bool ReadFileVersion(std::string& version) { return ReadText("", "FileVersion", version); }

bool SaveWallpapersList(const std::vector<WallpaperListItem>& list) {
  return Guarded([&] {
    // An empty key would write into the list key itself.
    for (const WallpaperListItem& item : list)
      if (item.key.empty() || !IsKeyName(item.key)) return false;
    RegistryBackend& backend = *Place().backend;
    const std::string staged = Join(Place().root, kStagedWallpapers);
    backend.DeleteKeyTree(staged);  // left by a save that was cut short, if any
    bool ok = list.empty() || StageWallpapers(list);
    if (ok) ok = SwapInStagedWallpapers(!list.empty());
    if (!ok) backend.DeleteKeyTree(staged);
    return ok;
  });
}

bool LoadWallpapersList(std::vector<WallpaperListItem>& list) {
  return Guarded([&] {
    std::vector<std::string> keys;
    auto key = Open(kListWallpapers, false);
    if (!key || !key->SubkeyNames(keys)) return false;
    key.reset();
    std::vector<WallpaperListItem> loaded;
    for (const std::string& name : keys) {
      WallpaperListItem item{name, {}};
      std::string subkey = Join(kListWallpapers, name);
      ReadDword(subkey, "Style", item.wallpaper.Style);  // each stays 0 / empty on failure
      ReadText(subkey, "FileName", item.wallpaper.FileName);
      loaded.push_back(std::move(item));
    }
    list = std::move(loaded);
    return true;
  });
}

bool RegistryEntriesExist() {
  return Guarded([] { return Open("", false) != nullptr; });
}

bool DeleteRegistryEntries() {
  return Guarded([] {
    RegistryBackend& backend = *Place().backend;
    const std::string& root = Place().root;
    bool ok = backend.DeleteKeyTree(root);
    size_t slash = root.rfind('\\');
    if (slash == std::string::npos) return ok;
    std::string parent = root.substr(0, slash);
    uint32_t subkeys = 0;
    bool counted = false;
    if (auto key = backend.OpenKey(parent, false)) counted = key->SubkeyCount(subkeys);
    if (counted && subkeys == 0) ok = backend.DeleteKeyTree(parent);
    return ok;
  });
}

}  // namespace corvane
