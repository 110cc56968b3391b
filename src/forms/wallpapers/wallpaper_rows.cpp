#include "forms/wallpapers/wallpaper_rows.h"

#include <cstdio>

#include "desktop/wallpaper_style.h"

namespace corvane {

std::string NextStyleName(const std::string& styleName) {
  if (styleName == "Center") return "Tile";
  if (styleName == "Tile") return "Stretch";
  if (styleName == "Stretch") return "Center";
  return styleName;
}

std::string CycleRowStyle(const std::string& row) {
  WallpaperRow parts = SplitWallpaperRow(row);
  std::string next = NextStyleName(parts.styleName);
  if (next == parts.styleName) return row;
  return next + row.substr(parts.styleName.size());
}

ChangerBox ChangerBoxFor(size_t rowCount, bool checked) {
  bool enabled = rowCount > 0;
  return {enabled, enabled || !checked ? kChangerOn : kChangerOff};
}

bool ChangerStateToSave(bool checked, const std::string& caption) { return checked && caption == kChangerOn; }

std::vector<std::string> RowsForImages(const std::vector<std::string>& files) {
  std::vector<std::string> rows;
  for (size_t i = 1; i < files.size(); ++i) rows.push_back("Stretch=" + files[i]);
  if (!files.empty()) rows.push_back("Stretch=" + files.front());
  return rows;
}

std::string WallpaperKey(size_t index) {
  char key[16];
  std::snprintf(key, sizeof key, "WP%08X", static_cast<unsigned>(index));
  return key;
}

std::vector<std::string> RowsFromWallpapers(const std::vector<WallpaperListItem>& list) {
  std::vector<std::string> rows;
  for (const WallpaperListItem& item : list)
    rows.push_back(StyleName(item.wallpaper.Style) + "=" + item.wallpaper.FileName);
  return rows;
}

WallpaperChoice ChoiceFromRow(const std::string& row) {
  WallpaperRow parts = SplitWallpaperRow(row);
  return {StyleFromName(parts.styleName), parts.fileName};
}

std::vector<WallpaperListItem> WallpapersFromRows(const std::vector<std::string>& rows) {
  std::vector<WallpaperListItem> list;
  for (size_t i = 0; i < rows.size(); ++i) {
    WallpaperChoice choice = ChoiceFromRow(rows[i]);
    list.push_back({WallpaperKey(i), {choice.style, choice.fileName}});
  }
  return list;
}

bool StoreWallpaperRows(const std::vector<std::string>& rows, bool changerOn) {
  bool listSaved = SaveWallpapersList(WallpapersFromRows(rows));
  return WriteWallpapersState(changerOn) && listSaved;
}

std::vector<std::string> LoadWallpaperRows() {
  std::vector<WallpaperListItem> list;
  LoadWallpapersList(list);
  return RowsFromWallpapers(list);
}

RowAction ActionFor(ListGesture gesture, int lastPressColumn, int currentRow, size_t rowCount) {
  if (currentRow < 0 || static_cast<size_t>(currentRow) >= rowCount) return RowAction::None;
  switch (gesture) {
    case ListGesture::DoubleClick: return lastPressColumn == 1 ? RowAction::CycleStyle : RowAction::None;
    case ListGesture::Space: return RowAction::CycleStyle;
    case ListGesture::Insert: return RowAction::Apply;
  }
  return RowAction::None;
}

}  // namespace corvane
