#include "os/exception.h"

#include <new>
#include <typeinfo>
#if defined(__GNUC__)
#include <cxxabi.h>
#include <cstdlib>
#endif

namespace corvane {

Exception::Exception(std::string message)
    : message_(std::move(message)), address_(CORVANE_RETURN_ADDRESS()) {}

Exception::Exception(std::string message, const void* address)
    : message_(std::move(message)), address_(address) {}

namespace {

std::string ReadableTypeName(const std::type_info& type) {
#if defined(__GNUC__)
  int status = 0;
  char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  if (status == 0 && demangled) {
    std::string name(demangled);
    std::free(demangled);
    return name;
  }
#endif
  return type.name();
}

}  // namespace

ExceptionFacts DescribeException(const std::exception& e) {
  if (auto* own = dynamic_cast<const Exception*>(&e))
    return {own->ClassName(), own->Address(), own->Message()};
  if (dynamic_cast<const std::bad_alloc*>(&e))
    return {"EOutOfMemory", nullptr, "Out of memory."};
  return {ReadableTypeName(typeid(e)), nullptr, e.what()};
}

ExceptionFacts DescribeCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    return DescribeException(e);
  } catch (...) {
    return {"Unknown exception", nullptr, "An exception of unknown type."};
  }
}

}  // namespace corvane
