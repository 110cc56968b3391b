#include "desktop/wallpaper_style.h"

#include "os/file_io.h"
#include "os/text.h"

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

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

[[noreturn]] void RaiseFileError(const std::string& what, const std::string& path) {
  throw EWallpapersFileError(what + " \"" + path + "\".");
}

std::string TooLargeMessage() {
  return " A wallpapers list holds at most " + std::to_string(kMaxWallpaperRows) + " images (" +
         std::to_string(kMaxWallpapersListBytes / (1024 * 1024)) + " MB).";
}

}  // namespace

std::optional<std::vector<std::string>> ParseWallpapersListText(std::string_view text) {
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  std::string decoded;
  if (!IsValidUtf8(text)) {
    decoded = SystemCodePageToUtf8(text);
    text = decoded;
  }
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.size() > kMaxWallpaperRows) return std::nullopt;
  return std::vector<std::string>(lines.begin(), lines.end());
}

std::vector<std::string> ReadWallpapersListFile(const std::string& path) {
  std::string text;
  FileResult result = ReadFileUpTo(path, kMaxWallpapersListBytes, text);
  if (result.failure == FileFailure::Open) RaiseFileError("Cannot open file", path);
  if (result.failure == FileFailure::Read) RaiseFileError("Cannot read file", path);
  std::optional<std::vector<std::string>> lines;
  if (result.Ok()) lines = ParseWallpapersListText(text);
  if (!lines) throw EWallpapersFileError("Cannot read file \"" + path + "\"." + TooLargeMessage());
  return std::move(*lines);
}

void WriteWallpapersListFile(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  FileResult result = ReplaceFileContents(path, text);
  if (result.failure == FileFailure::Create) RaiseFileError("Cannot create file", path);
  if (!result.Ok()) RaiseFileError("Cannot write file", path);
}

}  // namespace corvane
