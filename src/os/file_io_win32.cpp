#include <windows.h>

#include <algorithm>

#include "os/file_io.h"
#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane {
namespace {

FileResult Failed(FileFailure failure, DWORD error, const std::wstring& temporary) {
  DeleteFileW(temporary.c_str());
  return {failure, SystemErrorText(error)};
}

}  // namespace

FileResult ReplaceFileContents(const std::string& path, std::string_view contents) {
  const std::wstring temporary = Widen(TemporaryFileFor(path));
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return {FileFailure::Create, SystemErrorText(GetLastError())};
  while (!contents.empty()) {
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(contents.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), wanted, &written, nullptr) || written == 0) {
      DWORD error = GetLastError();
      CloseHandle(file);
      return Failed(FileFailure::Write, error, temporary);
    }
    contents.remove_prefix(written);
  }
  if (!FlushFileBuffers(file)) {
    DWORD error = GetLastError();
    CloseHandle(file);
    return Failed(FileFailure::Write, error, temporary);
  }
  CloseHandle(file);
  if (!MoveFileExW(temporary.c_str(), Widen(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Failed(FileFailure::Write, GetLastError(), temporary);
  return {};
}

}  // namespace corvane
