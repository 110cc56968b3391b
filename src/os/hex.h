#pragma once
#include <cstdint>
#include <string>

namespace corvane {

// Upper-case hexadecimal, zero-padded to at least 8 digits; a 64-bit address
// above 4 GiB keeps all its digits rather than losing the high ones.
std::string Hex8(uint64_t value);
inline std::string HexAddress(const void* address) {
  return Hex8(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(address)));
}

}  // namespace corvane
