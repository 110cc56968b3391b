#pragma once
// What the wallpapers window decides about its rows ("Style=path" lines):
// the style cycle, the changer box, the order of added images, the registry
// keys and the road between rows and the stored list.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "presets/registry_store.h"

namespace corvane {

inline constexpr char kChangerOn[] = "Changer ON";
inline constexpr char kChangerOff[] = "Changer OFF";

// "Center" -> "Tile" -> "Stretch" -> "Center"; any other text stays.
std::string NextStyleName(const std::string& styleName);
// The row with its style cycled; the row itself when its style is unknown.
std::string CycleRowStyle(const std::string& row);

struct ChangerBox {
  bool enabled = false;
  std::string caption;
  friend bool operator==(const ChangerBox&, const ChangerBox&) = default;
};
// Enabled only over rows; a disabled box that stays checked says the
// changer will be off.
ChangerBox ChangerBoxFor(size_t rowCount, bool checked);
// What "OK" stores: a checked box whose caption still says on.
bool ChangerStateToSave(bool checked, const std::string& caption);

// Images chosen together, as rows: the second to the last first, then the
// first (the dialog answers with the focused file first).
std::vector<std::string> RowsForImages(const std::vector<std::string>& files);

// "WP" and the 0-based position as eight upper-case hex digits, so that the
// subkeys sort in list order.
std::string WallpaperKey(size_t index);

std::vector<std::string> RowsFromWallpapers(const std::vector<WallpaperListItem>& list);
std::vector<WallpaperListItem> WallpapersFromRows(const std::vector<std::string>& rows);
// "OK": the list, then the state; false when the registry refused either.
bool StoreWallpaperRows(const std::vector<std::string>& rows, bool changerOn);
// The stored list as rows; empty when there is none.
std::vector<std::string> LoadWallpaperRows();

// Gestures on the list and what they do to the current row.
enum class ListGesture { DoubleClick, Space, Insert };
enum class RowAction { None, CycleStyle, Apply };
// A double click cycles only after a press in the file column (1).
RowAction ActionFor(ListGesture gesture, int lastPressColumn, int currentRow, size_t rowCount);

struct WallpaperChoice {
  uint32_t style = 0;
  std::string fileName;
};
WallpaperChoice ChoiceFromRow(const std::string& row);

}  // namespace corvane
