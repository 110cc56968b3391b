#include <gtest/gtest.h>

#include <regex>

#include "os/hex.h"
#include "os/os_error.h"

namespace corvane {
namespace {

template <typename Raise>
ExceptionFacts FactsOf(Raise raise) {
  try {
    raise();
  } catch (...) {
    return DescribeCurrentException();
  }
  ADD_FAILURE() << "nothing raised";
  return {};
}

TEST(OSError, HexDigitsMessageAndTheRaisedException) {
  EXPECT_EQ(Hex8(0u), "00000000");
  EXPECT_EQ(Hex8(0xABCu), "00000ABC");
  EXPECT_EQ(Hex8(0xDEADBEEFu), "DEADBEEF");
  EXPECT_EQ(Hex8(uint64_t{0x140001234}), "140001234");  // wide addresses keep every digit

  std::string text = OSErrorMessage(5, reinterpret_cast<const void*>(0x401000));
  EXPECT_EQ(text.rfind("Address :  $00401000,  ErrorCode :  5", 0), 0u) << text;
  EXPECT_EQ(text.find(",  Message :  ") != std::string::npos, !SystemErrorText(5).empty()) << text;

  try {
    RaiseLastOSErrorAt(2);
    FAIL() << "no exception";
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), 2u);
    EXPECT_STREQ(e.ClassName(), "EOSError");
    EXPECT_NE(e.Address(), nullptr);
    EXPECT_TRUE(std::regex_search(e.Message(), std::regex("^Address :  \\$[0-9A-F]{8,16},  ErrorCode :  2")))
        << e.Message();
  }
}

CORVANE_DECLARE_EXCEPTION(ETestError);

TEST(Exception, ClassNameAddressAndDescriptionOfForeignExceptions) {
  ExceptionFacts own = FactsOf([] { throw ETestError("boom"); });
  EXPECT_EQ(own.className, "ETestError");
  EXPECT_EQ(own.message, "boom");
  EXPECT_NE(own.address, nullptr);
  ExceptionFacts standard = FactsOf([] { throw std::runtime_error("plain"); });
  EXPECT_NE(standard.className.find("runtime_error"), std::string::npos);
  EXPECT_EQ(standard.message, "plain");
  EXPECT_EQ(FactsOf([] { throw 42; }).className, "Unknown exception");
}

}  // namespace
}  // namespace corvane
