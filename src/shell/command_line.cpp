#include "shell/command_line.h"

#include <charconv>

#include "os/text.h"

namespace corvane {

std::string ExtractFileExt(const std::string& path) {
  size_t dot = path.find_last_of(".\\:");
  if (dot == std::string::npos || path[dot] != '.') return {};
  return path.substr(dot);
}

StartRequest ParseStartArguments(const std::vector<std::string>& arguments,
                                 const std::function<bool(const std::string&)>& fileExists) {
  StartRequest request;
  if (arguments.empty()) return request;

  const std::string& first = arguments.front();
  // One character: that is the mode; otherwise the second (so /s, -s, /S:123
  // and s agree). An empty argument has no mode character at all.
  if (!first.empty()) {
    char mode = first.size() == 1 ? first[0] : first[1];
    switch (mode) {
      case 'C': case 'c': request.mode = RunMode::Configuration; return request;
      case 'P': case 'p': request.mode = RunMode::Preview; return request;
      case 'S': case 's': request.mode = RunMode::FullScreen; return request;
      default: break;
    }
  }

  request.startFileName = first;
  if (!fileExists(first)) {
    request.startFileKind = kMissingStartFile;
  } else {
    std::string extension = AsciiUpper(ExtractFileExt(first));
    if (extension == ".CVP")
      request.startFileKind = kPresetStartFile;
    else if (extension == ".CVW")
      request.startFileKind = kWallpapersStartFile;
  }
  return request;
}

std::optional<uintptr_t> ConfigurationOwnerHandle(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  const std::string& first = arguments[0];
  size_t colon = first.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const char* begin = first.data() + colon + 1;
  const char* end = first.data() + first.size();
  uintptr_t handle = 0;
  auto [rest, error] = std::from_chars(begin, end, handle);
  if (error != std::errc() || rest != end || begin == end) return std::nullopt;
  return handle;
}

}  // namespace corvane
