#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "os/file_io.h"
#include "os/os_error.h"

namespace corvane {
namespace {

FileResult Failed(FileFailure failure, int error, const std::string& temporary) {
  ::unlink(temporary.c_str());
  return {failure, SystemErrorText(static_cast<uint32_t>(error))};
}

}  // namespace

FileResult ReplaceFileContents(const std::string& path, std::string_view contents) {
  const std::string temporary = TemporaryFileFor(path);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return {FileFailure::Create, SystemErrorText(static_cast<uint32_t>(errno))};
  while (!contents.empty()) {
    ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      int error = written < 0 ? errno : EIO;
      ::close(fd);
      return Failed(FileFailure::Write, error, temporary);
    }
    contents.remove_prefix(static_cast<size_t>(written));
  }
  if (::fsync(fd) != 0) {
    int error = errno;
    ::close(fd);
    return Failed(FileFailure::Write, error, temporary);
  }
  if (::close(fd) != 0) return Failed(FileFailure::Write, errno, temporary);
  if (::rename(temporary.c_str(), path.c_str()) != 0) return Failed(FileFailure::Write, errno, temporary);
  return {};
}

}  // namespace corvane
