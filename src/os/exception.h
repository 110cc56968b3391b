#pragma once
// The root of every error the program raises. Each one remembers the code
// address it was raised from, which the error log prints as "ExceptAddr".

#include <cstdint>
#include <exception>
#include <string>

#if defined(_MSC_VER)
#include <intrin.h>
#define CORVANE_NOINLINE __declspec(noinline)
#define CORVANE_RETURN_ADDRESS() _ReturnAddress()
#else
#define CORVANE_NOINLINE __attribute__((noinline))
#define CORVANE_RETURN_ADDRESS() __builtin_return_address(0)
#endif

namespace corvane {

class Exception : public std::exception {
 public:
  // Not inlined, so that the return address is the raiser's code.
  CORVANE_NOINLINE explicit Exception(std::string message);
  Exception(std::string message, const void* address);

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }
  const void* Address() const noexcept { return address_; }
  // The class name as the error log prints it.
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
  const void* address_;
};

// One exception class per module; they add nothing but their name.
#define CORVANE_DECLARE_EXCEPTION(Name)                                     \
  class Name : public ::corvane::Exception {                                \
   public:                                                                  \
    using Exception::Exception;                                             \
    const char* ClassName() const noexcept override { return #Name; }       \
  }

// A failed operating-system call; carries the system error code.
class EOSError : public Exception {
 public:
  EOSError(std::string message, const void* address, uint32_t errorCode)
      : Exception(std::move(message), address), errorCode_(errorCode) {}
  const char* ClassName() const noexcept override { return "EOSError"; }
  uint32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  uint32_t errorCode_;
};

// Class name, raise address and message of any exception, for log records.
struct ExceptionFacts {
  std::string className;
  const void* address = nullptr;
  std::string message;
};
ExceptionFacts DescribeException(const std::exception& e);
// Call only inside a catch block.
ExceptionFacts DescribeCurrentException();

}  // namespace corvane
