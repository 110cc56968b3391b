#include "png_file.h"

#include <png.h>

#include <csetjmp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace corvane {
namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// libpng reports failures by a long jump back into the writer.
void PngError(png_structp png, png_const_charp message) {
  auto* reason = static_cast<std::string*>(png_get_error_ptr(png));
  *reason = message;
  png_longjmp(png, 1);
}
void PngWarning(png_structp, png_const_charp) {}

}  // namespace

void WriteRgbPng(const std::string& path, const uint8_t* pixels, int width, int height, int bytesPerPixel) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));

  std::string reason;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, PngError, PngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("cannot write " + path + ": out of memory");
  }
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  // Nothing with a destructor may begin between here and the last libpng call.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot write " + path + ": " + reason);
  }
  {
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = height - 1; y >= 0; --y) {  // PNG rows run top first
      const uint8_t* source = pixels + static_cast<size_t>(y) * static_cast<size_t>(width) * bytesPerPixel;
      for (int x = 0; x < width; ++x) std::memcpy(&row[static_cast<size_t>(x) * 3], source + x * bytesPerPixel, 3);
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
}

}  // namespace corvane
