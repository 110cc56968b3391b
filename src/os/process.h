#pragma once
// Facts about the running process and its executable.

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

uint32_t CurrentProcessId();
uint32_t CurrentThreadId();

// Full path of the running executable (UTF-8).
std::string ModuleFileName();
// Its directory with a trailing separator.
std::string ModuleDirectory();
// The file name without directory.
std::string ModuleBaseName();

char PathSeparator();

// For the error log's process header. Each answers nothing when the fact
// cannot be read.
struct OSVersionInfo {
  std::string platformId;
  std::string version;  // major.minor.build
  std::string servicePack;
};
std::optional<OSVersionInfo> ReadOSVersion();
std::optional<std::string> FileVersionOf(const std::string& path);  // "a.b.c.d"
// The same, or empty text when the file has no version information.
std::string FileVersionText(const std::string& path);
std::optional<std::string> FileModificationText(const std::string& path);
// The current local date (short format) and time (long format).
std::string CurrentDateText();
std::string CurrentTimeText();

bool FileExists(const std::string& path);  // a file, not a directory
bool DirectoryExists(const std::string& path);
// Creates a file that must not exist yet and deletes it again; false when
// it cannot be created.
bool CreateAndDeleteNewFile(const std::string& path);

}  // namespace corvane
