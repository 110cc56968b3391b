#pragma once
// Little-endian byte order for the formats the program writes and reads
// (registry values, bitmap headers), independent of the machine's order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Appends the low `size` bytes of `value`, lowest first, to a byte container
// (std::string, std::vector<uint8_t>).
template <class Bytes>
void AppendLittleEndian(Bytes& out, uint64_t value, size_t size) {
  using Byte = typename Bytes::value_type;
  for (size_t i = 0; i < size; ++i) out.push_back(static_cast<Byte>((value >> (8 * i)) & 0xFF));
}

inline std::string LittleEndianBytes(uint64_t value, size_t size) {
  std::string bytes;
  AppendLittleEndian(bytes, value, size);
  return bytes;
}

// The value of up to 8 bytes, lowest first.
inline uint64_t FromLittleEndian(std::string_view bytes) {
  uint64_t value = 0;
  for (size_t i = bytes.size(); i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

}  // namespace corvane
