#pragma once
// Turning failed system calls into EOSError with an informative message.

#include <cstdint>
#include <string>

#include "os/exception.h"

namespace corvane {

// The calling thread's last system error code (GetLastError / errno).
uint32_t LastOSErrorCode();
// The system's own text for an error code, empty when it has none.
std::string SystemErrorText(uint32_t code);

// "Address :  $<addr>,  ErrorCode :  <code>[,  Message :  <text>]"
std::string OSErrorMessage(uint32_t code, const void* address);

// Raise EOSError for the last system error; the address is the caller's.
[[noreturn]] CORVANE_NOINLINE void RaiseLastOSErrorAt();
// The same with an explicit code (failed waits report the event's error).
[[noreturn]] CORVANE_NOINLINE void RaiseLastOSErrorAt(uint32_t code);

}  // namespace corvane
