#pragma once
// Whole files. Reading takes a size limit, since a file opened through its
// association may come from anywhere. Writing goes to a new file beside the
// old one that then takes its place, so a failed write leaves the old file
// as it was.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

enum class FileFailure { None, Open, Read, TooLarge, Create, Write };

struct FileResult {
  FileFailure failure = FileFailure::None;
  std::string reason;  // the system's text for the failure; empty when it gave none
  bool Ok() const noexcept { return failure == FileFailure::None; }
};

// The whole file in `text` when it holds at most `limit` bytes; no more than
// limit + 1 bytes are ever read. `text` is left alone on failure.
FileResult ReadFileUpTo(const std::string& path, size_t limit, std::string& text);

// `contents` written to a temporary file beside `path`, flushed to the disk,
// then moved over `path` in one step. On any failure the temporary file is
// removed and `path` is untouched (Create: the temporary file could not be
// made; Write: writing or replacing failed).
FileResult ReplaceFileContents(const std::string& path, std::string_view contents);

// The temporary file's name: unique to this process, beside `path`.
std::string TemporaryFileFor(const std::string& path);

}  // namespace corvane
