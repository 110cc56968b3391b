#include "os/os_error.h"

#include "os/hex.h"

namespace corvane {

std::string OSErrorMessage(uint32_t code, const void* address) {
  std::string text = "Address :  $" + HexAddress(address) + ",  ErrorCode :  " + std::to_string(code);
  std::string system = SystemErrorText(code);
  if (!system.empty()) text += ",  Message :  " + system;
  return text;
}

void RaiseLastOSErrorAt() {
  uint32_t code = LastOSErrorCode();
  const void* caller = CORVANE_RETURN_ADDRESS();
  throw EOSError(OSErrorMessage(code, caller), caller, code);
}

void RaiseLastOSErrorAt(uint32_t code) {
  const void* caller = CORVANE_RETURN_ADDRESS();
  throw EOSError(OSErrorMessage(code, caller), caller, code);
}

}  // namespace corvane
