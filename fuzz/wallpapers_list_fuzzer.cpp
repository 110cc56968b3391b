// Any bytes as a wallpapers list file: never a crash, never more rows than
// the limit, every row valid UTF-8 without a line end, and the rows written
// as a file read back as the same rows.

#include <cstdint>
#include <cstdlib>

#include "desktop/wallpaper_style.h"
#include "os/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  auto rows = ParseWallpapersListText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!rows) return 0;  // too many rows: refused
  if (rows->size() > kMaxWallpaperRows) std::abort();
  std::string written;
  for (const std::string& row : *rows) {
    if (!IsValidUtf8(row) || row.find_first_of("\r\n") != std::string::npos) std::abort();
    written += row + "\r\n";
  }
  // A second byte-order mark at the start is a row's text; the reader drops only one.
  if (written.rfind("\xEF\xBB\xBF", 0) == 0) return 0;
  if (ParseWallpapersListText(written) != rows) std::abort();
  return 0;
}
