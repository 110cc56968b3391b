#include "drawer/snapshot.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "os/little_endian.h"
#include "os/own_files.h"
#include "os/process.h"
#include "os/text.h"

namespace corvane {

std::string DefaultSnapshotDirectory() { return OwnFilesFolder() + "ScreenShots" + PathSeparator(); }

std::string SnapshotFileName(const std::string& directory, const std::tm& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d-%02d-%04d_%02d-%02d-%02d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900,
                t.tm_hour, t.tm_min, t.tm_sec);
  return directory + "_ScreenShot_" + stamp + "_.bmp";
}

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

std::vector<uint8_t> EncodeBmp(const PixelBlock& block) {
  constexpr uint32_t kHeadersSize = 14 + 40;
  const uint32_t width = static_cast<uint32_t>(block.width);
  const uint32_t height = static_cast<uint32_t>(block.height);
  const uint32_t rowSize = (width * 3 + 3) & ~3u;  // rows padded to whole 32-bit words
  const uint32_t imageSize = rowSize * height;
  std::vector<uint8_t> out;
  out.reserve(kHeadersSize + imageSize);
  out.push_back('B');
  out.push_back('M');
  AppendLittleEndian(out, kHeadersSize + imageSize, 4);
  AppendLittleEndian(out, 0, 4);
  AppendLittleEndian(out, kHeadersSize, 4);
  AppendLittleEndian(out, 40, 4);
  AppendLittleEndian(out, width, 4);
  AppendLittleEndian(out, height, 4);  // positive: rows stored bottom-up, as the block has them
  AppendLittleEndian(out, 1, 2);
  AppendLittleEndian(out, 24, 2);
  AppendLittleEndian(out, 0, 4);  // no compression
  AppendLittleEndian(out, imageSize, 4);
  AppendLittleEndian(out, 0, 4);
  AppendLittleEndian(out, 0, 4);
  AppendLittleEndian(out, 0, 4);
  AppendLittleEndian(out, 0, 4);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = block.pixels.get() + static_cast<size_t>(y) * width * 3;
    for (uint32_t x = 0; x < width; ++x) {
      out.push_back(row[3 * x + 2]);  // stored blue, green, red
      out.push_back(row[3 * x + 1]);
      out.push_back(row[3 * x]);
    }
    out.insert(out.end(), rowSize - width * 3, 0);
  }
  return out;
}

void CreateSnapshotDirectory(const std::string& directory) {
  std::error_code ignored;
  std::filesystem::create_directory(Utf8Path(directory), ignored);
}

bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(Utf8Path(path), std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace corvane
