#include "render/pixel_format_rules.h"

namespace corvane {

namespace {
constexpr uint32_t kWindowFlags = pfd::kDrawToWindow | pfd::kSupportOpenGL | pfd::kDoubleBuffer;

uint8_t Channel(uint32_t index, uint8_t bits, uint8_t shift) {
  if (bits == 0) return 0;
  const uint32_t mask = (1u << bits) - 1;
  return static_cast<uint8_t>(((index >> shift) & mask) * 255 / mask);
}
}  // namespace

PixelFormatRequest FirstPixelFormatRequest() { return {kWindowFlags, 32, 8, 64, 32}; }

std::optional<PixelFormatRequest> NextPixelFormatRequest(int made, const ChosenPixelFormat& chosen) {
  if (made == 1 && chosen.colorBits < 32) return PixelFormatRequest{kWindowFlags | pfd::kDepthDontCare, 24, 8, 32, 0};
  const bool unacceleratedSoftware =
      (chosen.flags & pfd::kGenericFormat) != 0 && (chosen.flags & pfd::kGenericAccelerated) == 0;
  if (made == 2 && unacceleratedSoftware) return PixelFormatRequest{kWindowFlags | pfd::kDepthDontCare, 24, 0, 32, 0};
  return std::nullopt;
}

std::vector<PaletteColor> PaletteEntries(const PaletteLayout& layout) {
  // Palettes exist for formats of at most 8 bits; a larger count would be
  // a corrupt description, not a palette.
  if (layout.colorBits == 0 || layout.colorBits > 8) return {};
  std::vector<PaletteColor> entries(size_t{1} << layout.colorBits);
  for (uint32_t i = 0; i < entries.size(); ++i)
    entries[i] = {Channel(i, layout.redBits, layout.redShift), Channel(i, layout.greenBits, layout.greenShift),
                  Channel(i, layout.blueBits, layout.blueShift)};
  return entries;
}

}  // namespace corvane
