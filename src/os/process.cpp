#include "os/process.h"

namespace corvane {

std::string ModuleDirectory() {
  std::string path = ModuleFileName();
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ModuleBaseName() {
  std::string path = ModuleFileName();
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileVersionText(const std::string& path) { return FileVersionOf(path).value_or(std::string()); }

}  // namespace corvane
