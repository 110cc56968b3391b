#include "os/file_io.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "os/process.h"
#include "os/text.h"

namespace corvane {
namespace {

std::string ErrnoText() { return errno != 0 ? std::generic_category().message(errno) : std::string(); }

}  // namespace

FileResult ReadFileUpTo(const std::string& path, size_t limit, std::string& text) {
  errno = 0;
  std::ifstream in(Utf8Path(path), std::ios::binary);
  if (!in) return {FileFailure::Open, ErrnoText()};
  std::string read;
  char chunk[65536];
  while (read.size() <= limit) {
    const size_t wanted = std::min(sizeof chunk, limit + 1 - read.size());
    in.read(chunk, static_cast<std::streamsize>(wanted));
    if (in.gcount() <= 0) break;
    read.append(chunk, static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) return {FileFailure::Read, ErrnoText()};
  if (read.size() > limit) return {FileFailure::TooLarge, {}};
  text = std::move(read);
  return {};
}

std::string TemporaryFileFor(const std::string& path) {
  return path + "." + std::to_string(CurrentProcessId()) + ".tmp";
}

}  // namespace corvane
