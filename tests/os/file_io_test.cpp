#include <gtest/gtest.h>

#include <filesystem>

#include "os/file_io.h"
#include "os/text.h"
#include "support/test_support.h"

namespace corvane {
namespace {

// A write that fails part-way is shown by the preset and list file tests.
TEST(ReplaceFileContents, AFailedReplaceLeavesWhatWasThereAndNothingBesideIt) {
  test::TempDir dir;
  std::filesystem::create_directory(Utf8Path(dir.File("folder")));
  EXPECT_EQ(ReplaceFileContents(dir.File("folder"), "x").failure, FileFailure::Write);
  EXPECT_EQ(ReplaceFileContents(dir.File("no/such/folder.txt"), "x").failure, FileFailure::Create);
  EXPECT_EQ(test::FileNamesIn(dir.Path()), std::vector<std::string>{"folder"});
}

TEST(ReadFileUpTo, RefusesMoreThanTheLimitWithoutReadingIt) {
  test::TempDir dir;
  const std::string path = dir.File("big");
  test::WriteWholeFile(path, "12345");
  std::string text = "untouched";
  EXPECT_TRUE(ReadFileUpTo(path, 5, text).Ok());
  EXPECT_EQ(text, "12345");
  text = "untouched";
  EXPECT_EQ(ReadFileUpTo(path, 4, text).failure, FileFailure::TooLarge);
  EXPECT_EQ(text, "untouched");
#if !defined(_WIN32)
  // A sparse file of 6 GB: refused at once, never held in memory.
  std::filesystem::resize_file(Utf8Path(path), 6ull << 30);
  EXPECT_EQ(ReadFileUpTo(path, 1 << 20, text).failure, FileFailure::TooLarge);
#endif
  EXPECT_EQ(ReadFileUpTo(dir.File("missing"), 5, text).failure, FileFailure::Open);
}

TEST(Utf8, OnlyWellFormedTextIsValid) {
  for (std::string_view valid : {"", "plain", "\xC3\xA9t\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF",
                                 "\xED\x9F\xBF"})
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  for (std::string_view invalid : {"M\xFCnchen", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                   "\xF8\x88\x80\x80\x80", "\x80", "\xE2\x82", "\xE2\x28\xA1"})
    EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
}

}  // namespace
}  // namespace corvane
