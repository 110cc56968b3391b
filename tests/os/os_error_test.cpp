#include <gtest/gtest.h>

#include <regex>

#include "os/hex.h"
#include "os/os_error.h"

namespace corvane {
namespace {

TEST(Hex8, PadsToEightUpperCaseDigitsAndKeepsWideAddresses) {
  EXPECT_EQ(Hex8(0u), "00000000");
  EXPECT_EQ(Hex8(0xABCu), "00000ABC");
  EXPECT_EQ(Hex8(0xDEADBEEFu), "DEADBEEF");
  EXPECT_EQ(Hex8(uint64_t{0x140001234}), "140001234");
}

TEST(OSError, MessageNamesAddressCodeAndSystemText) {
  std::string text = OSErrorMessage(5, reinterpret_cast<const void*>(0x401000));
  EXPECT_EQ(text.rfind("Address :  $00401000,  ErrorCode :  5", 0), 0u) << text;
  if (!SystemErrorText(5).empty()) {
    EXPECT_NE(text.find(",  Message :  "), std::string::npos);
  }
}

TEST(OSError, RaiseCarriesTheCodeAndTheCallersAddress) {
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
  try {
    throw ETestError("boom");
  } catch (...) {
    ExceptionFacts facts = DescribeCurrentException();
    EXPECT_EQ(facts.className, "ETestError");
    EXPECT_EQ(facts.message, "boom");
    EXPECT_NE(facts.address, nullptr);
  }
  try {
    throw std::runtime_error("plain");
  } catch (...) {
    ExceptionFacts facts = DescribeCurrentException();
    EXPECT_NE(facts.className.find("runtime_error"), std::string::npos);
    EXPECT_EQ(facts.message, "plain");
  }
  try {
    throw 42;
  } catch (...) {
    EXPECT_EQ(DescribeCurrentException().className, "Unknown exception");
  }
}

}  // namespace
}  // namespace corvane
