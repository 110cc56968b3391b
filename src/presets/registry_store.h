#pragma once
// Everything the program keeps between runs, in one registry key of the
// current user. Free functions: each opens its own key, does one thing,
// closes it, never raises, and answers whether it succeeded. Readers that
// fail still deliver the documented substitute (the parameter's default,
// false, 0 or empty text).

#include <cstdint>
#include <string>
#include <vector>

#include "figure/preset_params.h"
#include "presets/registry_backend.h"

namespace corvane {

inline constexpr char kRegistryRoot[] = "Software\\Ostrel Corp\\Corvane";

// Where the store lives. Tests point it at a backend and root of their own,
// so that they never touch the real program key.
struct RegistryPlace {
  RegistryBackend* backend;
  std::string root;  // the program key, a path below the current user's root
};
RegistryPlace CurrentRegistryPlace();  // SystemRegistry() and kRegistryRoot unless set
void SetRegistryPlace(RegistryPlace place);

// Parameter values are 8-byte little-endian doubles (REG_BINARY); anything
// else, and a double that is no number text can hold, reads as missing. Numbers outside 1..69 fail (reading gives 0).
bool WriteWorkParam(int number, double value);
bool ReadWorkParam(int number, double& value);
// The empty name addresses "ListPresets" itself. Names holding "\" would
// address another key and are refused.
bool WriteListParam(const std::string& preset, int number, double value);
bool ReadListParam(const std::string& preset, int number, double& value);

// Subkeys of "ListPresets" in enumeration order; empty when there are none.
bool ListPresetNames(std::vector<std::string>& names);
// A uniformly drawn stored preset name, empty text when there is none.
std::string RandomPresetName();
// Deletes one named preset with everything below it; the empty name is
// refused rather than taking the whole list with it.
bool DeletePreset(const std::string& preset);

bool WriteCurrentPresetName(const std::string& name);
bool ReadCurrentPresetName(std::string& name);
bool WriteRandomMode(bool on);
bool ReadRandomMode(bool& on);
bool WriteShuffleMode(bool on);
bool ReadShuffleMode(bool& on);
// How the saver spreads the figure over more than one monitor. Stored as a
// DWORD (0, 1, 2) beside Random and Shuffle, where older versions never
// look; a missing or unknown value reads as Span.
enum class MonitorsMode { Span, EachMonitor, PrimaryOnly };
bool WriteMonitorsMode(MonitorsMode mode);
bool ReadMonitorsMode(MonitorsMode& mode);
// Evolve: the saver shows children bred from the stored presets (a flag
// beside Random and Shuffle).
bool WriteEvolveMode(bool on);
bool ReadEvolveMode(bool& on);
// The frames-per-second overlay, in the saver and the program window alike:
// a flag beside Random and Shuffle, off when missing.
bool WriteFrameRateShown(bool on);
bool ReadFrameRateShown(bool& on);

// The children the saver showed last, under a key of their own beside the
// list and never in it. Each keeps its parents' names and the seed that
// breeds it again; the oldest gives way to the newest.
inline constexpr uint32_t kRememberedChildren = 20;
struct RememberedChild {
  std::string parentA, parentB;
  uint64_t seed = 0;
  TPresetParams params;
};
bool RememberChild(const RememberedChild& child);
// Newest first; a child stored only in part is left out.
bool ListRememberedChildren(std::vector<RememberedChild>& children);
bool WriteShowSetup(bool on);
bool ReadShowSetup(bool& on);
bool WriteWallpapersState(bool on);
bool ReadWallpapersState(bool& on);
bool WriteFileVersion(const std::string& version);
bool ReadFileVersion(std::string& version);

// One entry of the wallpapers changer's list: a display style (0 center,
// 1 tile, 2 stretch) and an image file.
struct TWallpaper {
  uint32_t Style = 0;
  std::string FileName;
  bool operator==(const TWallpaper&) const = default;
};
// An entry with the subkey it is stored under.
struct WallpaperListItem {
  std::string key;
  TWallpaper wallpaper;
  bool operator==(const WallpaperListItem&) const = default;
};
// Replaces "ListWallpapers" (its State value too) by the entries, each
// under its key. False, with the old list kept, when any entry cannot be
// written or a key is not a plain name.
bool SaveWallpapersList(const std::vector<WallpaperListItem>& list);
// Replaces the list by the stored entries; leaves it as it was when the key
// cannot be opened.
bool LoadWallpapersList(std::vector<WallpaperListItem>& list);

bool RegistryEntriesExist();
// Deletes the program key, then its parent when that has no other subkey.
bool DeleteRegistryEntries();

}  // namespace corvane
