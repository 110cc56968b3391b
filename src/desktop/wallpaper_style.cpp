#include "desktop/wallpaper_style.h"

#include <cstdio>

#include "os/text.h"

#if defined(_WIN32)
#include "os/text_win32.h"
#endif

namespace corvane {

std::string StyleName(uint32_t style) {
  switch (style) {
    case kStyleCenter: return "Center";
    case kStyleTile: return "Tile";
    default: return "Stretch";
  }
}

uint32_t StyleFromName(const std::string& name) {
  if (name == "Tile") return kStyleTile;
  if (name == "Stretch") return kStyleStretch;
  return kStyleCenter;
}

WallpaperRow SplitWallpaperRow(const std::string& line) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return {line, ""};
  return {line.substr(0, equals), line.substr(equals + 1)};
}

namespace {

FILE* OpenFile(const std::string& path, const char* mode) {
#if defined(_WIN32)
  return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

[[noreturn]] void RaiseFileError(const char* what, const std::string& path) {
  throw EWallpapersFileError(std::string(what) + " \"" + path + "\".");
}

}  // namespace

std::vector<std::string> ReadWallpapersListFile(const std::string& path) {
  FILE* file = OpenFile(path, "rb");
  if (!file) RaiseFileError("Cannot open file", path);
  std::string text;
  char buffer[4096];
  size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, read);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) RaiseFileError("Cannot read file", path);

  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

void WriteWallpapersListFile(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  FILE* file = OpenFile(path, "wb");
  if (!file) RaiseFileError("Cannot create file", path);
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) != 0 || !written) RaiseFileError("Cannot write file", path);
}

}  // namespace corvane
