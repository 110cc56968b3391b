#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "os/os_error.h"
#include "os/own_files.h"
#include "os/process.h"

namespace corvane {

uint32_t CurrentProcessId() { return static_cast<uint32_t>(getpid()); }
uint32_t CurrentThreadId() { return static_cast<uint32_t>(syscall(SYS_gettid)); }

std::string ModuleFileName() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

char PathSeparator() { return '/'; }

std::optional<OSVersionInfo> ReadOSVersion() {
  utsname name{};
  if (uname(&name) != 0) return std::nullopt;
  return OSVersionInfo{name.sysname, name.release, name.version};
}

std::optional<std::string> FileVersionOf(const std::string&) { return std::nullopt; }

namespace {
std::string FormatLocal(std::time_t when, const char* format) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[64];
  return std::strftime(text, sizeof text, format, &local) ? text : "";
}
}  // namespace

std::optional<std::string> FileModificationText(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return FormatLocal(info.st_mtime, "%x %X");
}

std::string CurrentDateText() { return FormatLocal(std::time(nullptr), "%x"); }
std::string CurrentTimeText() { return FormatLocal(std::time(nullptr), "%X"); }

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateAndDeleteNewFile(const std::string& path) {
  int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (file < 0) return false;
  close(file);
  return unlink(path.c_str()) == 0;
}

std::string PerUserFilesFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/.local/share/Corvane/" : std::string();
}

uint32_t LastOSErrorCode() { return static_cast<uint32_t>(errno); }

std::string SystemErrorText(uint32_t code) {
  char buffer[256];
  // GNU strerror_r returns the text, which may not be in the buffer.
  const char* text = strerror_r(static_cast<int>(code), buffer, sizeof buffer);
  return text ? std::string(text) : std::string();
}

}  // namespace corvane
