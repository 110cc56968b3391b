#pragma once
// The start-up argument rules: which run mode the first argument selects,
// and what kind of file argument it is otherwise.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum class RunMode { Application, Configuration, Preview, FullScreen };

// 0 no file argument; 1 neither a mode switch nor an existing file;
// 2 an existing ".CVP" preset file; 3 an existing ".CVW" wallpapers list.
enum StartFileKindCode : uint8_t {
  kNoStartFile = 0,
  kMissingStartFile = 1,
  kPresetStartFile = 2,
  kWallpapersStartFile = 3
};

struct StartRequest {
  RunMode mode = RunMode::Application;
  uint8_t startFileKind = kNoStartFile;
  std::string startFileName;  // the first argument, unchanged, when it is a file argument
};

// The extension from the last '.' after the last '\' or ':' (dot included),
// empty when there is none.
std::string ExtractFileExt(const std::string& path);

// `arguments` excludes the program name.
StartRequest ParseStartArguments(const std::vector<std::string>& arguments,
                                 const std::function<bool(const std::string&)>& fileExists);

// The window handle after "/c:" in the first argument; nothing for "/c"
// alone or for text that is not a decimal number.
std::optional<uintptr_t> ConfigurationOwnerHandle(const std::vector<std::string>& arguments);

}  // namespace corvane
