#include <gtest/gtest.h>

#include <filesystem>

#include "os/file_io.h"
#include "os/text.h"
#include "support/test_support.h"

namespace corvane {
namespace {

TEST(ReplaceFileContents, AFailedWriteOrReplaceLeavesTheOldFileAndNothingBesideIt) {
  test::TempDir dir;
  const std::string path = dir.File("kept.txt");
  ASSERT_TRUE(ReplaceFileContents(path, "old").Ok());
  ASSERT_TRUE(ReplaceFileContents(path, "new text").Ok());
  EXPECT_EQ(test::ReadWholeFile(path), "new text");
#if !defined(_WIN32)
  {
    test::ScopedFileSizeLimit full(4);  // the disk fills part-way through the new text
    FileResult result = ReplaceFileContents(path, "a longer text");
    EXPECT_EQ(result.failure, FileFailure::Write);
    EXPECT_FALSE(result.reason.empty());
  }
  EXPECT_EQ(test::ReadWholeFile(path), "new text");
#endif
  // A folder in the way cannot be replaced by a file.
  std::filesystem::create_directory(Utf8Path(dir.File("folder")));
  EXPECT_EQ(ReplaceFileContents(dir.File("folder"), "x").failure, FileFailure::Write);
  EXPECT_EQ(ReplaceFileContents(dir.File("no/such/folder.txt"), "x").failure, FileFailure::Create);
  EXPECT_EQ(test::FileNamesIn(dir.Path()), (std::vector<std::string>{"folder", "kept.txt"}));
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
  // A sparse file of 6 GB: refused at once, never held in memory.
  std::filesystem::resize_file(Utf8Path(path), 6ull << 30);
  EXPECT_EQ(ReadFileUpTo(path, 1 << 20, text).failure, FileFailure::TooLarge);
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
