#pragma once
// How the render context picks a window's pixel format and, for formats
// that need one, the palette: pure rules, kept apart from the system calls.

#include <cstdint>
#include <optional>
#include <vector>

namespace corvane {

// The pixel-format flags the rules read or request (values of the system's
// PFD_* constants).
namespace pfd {
inline constexpr uint32_t kDoubleBuffer = 0x00000001;
inline constexpr uint32_t kDrawToWindow = 0x00000004;
inline constexpr uint32_t kSupportOpenGL = 0x00000020;
inline constexpr uint32_t kGenericFormat = 0x00000040;
inline constexpr uint32_t kNeedPalette = 0x00000080;
inline constexpr uint32_t kGenericAccelerated = 0x00001000;
inline constexpr uint32_t kDepthDontCare = 0x20000000;
}  // namespace pfd

struct PixelFormatRequest {
  uint32_t flags = 0;
  uint8_t colorBits = 0;
  uint8_t alphaBits = 0;
  uint8_t accumBits = 0;
  uint8_t depthBits = 0;
  bool operator==(const PixelFormatRequest&) const = default;
};

// What the rules need to know of the format the system chose.
struct ChosenPixelFormat {
  uint32_t flags = 0;
  uint8_t colorBits = 0;
};

PixelFormatRequest FirstPixelFormatRequest();
// The request to make after `made` requests (1 or 2) when the system chose
// `chosen` for the last one; none when that format is the one to use.
std::optional<PixelFormatRequest> NextPixelFormatRequest(int made, const ChosenPixelFormat& chosen);

struct PaletteColor {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const PaletteColor&) const = default;
};

// Channel layout of a palette-based format.
struct PaletteLayout {
  uint8_t colorBits = 0;
  uint8_t redBits = 0, redShift = 0;
  uint8_t greenBits = 0, greenShift = 0;
  uint8_t blueBits = 0, blueShift = 0;
};

// The 2^colorBits entries: entry i spreads each channel's bits of i over
// 0..255.
std::vector<PaletteColor> PaletteEntries(const PaletteLayout& layout);

}  // namespace corvane
