#include <gtest/gtest.h>

#include <filesystem>

#include "os/own_files.h"
#include "os/process.h"
#include "support/test_support.h"

namespace corvane {
namespace {

TEST(Process, ModulePathIdsAndFileTests) {
  std::string path = ModuleFileName();
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ModuleDirectory() + ModuleBaseName(), path);
  EXPECT_NE(ModuleBaseName().find("test"), std::string::npos);
  EXPECT_TRUE(DirectoryExists(ModuleDirectory()));
  EXPECT_NE(CurrentProcessId(), 0u);
  EXPECT_NE(CurrentThreadId(), 0u);

  test::TempDir dir;
  EXPECT_FALSE(FileExists(dir.Path()));  // a directory is no file
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(FileExists(dir.File("missing.cvp")));
  test::WriteWholeFile(dir.File("here.cvp"), "x");
  EXPECT_TRUE(FileExists(dir.File("here.cvp")));
  EXPECT_TRUE(FileModificationText(dir.File("here.cvp")).has_value());
}

// The error log and snapshots go beside the program only where the user may
// write; the installed saver runs from the system directory.
TEST(OwnFiles, FolderChoiceAndHowBoxesNameTheFile) {
  EXPECT_EQ(ChooseOwnFilesFolder("P\\", true, "U\\"), "P\\");
  EXPECT_EQ(ChooseOwnFilesFolder("P\\", false, "U\\"), "U\\");
  EXPECT_EQ(ChooseOwnFilesFolder("P\\", false, ""), "P\\");  // nowhere else to go: the write fails visibly
  EXPECT_EQ(ShownFileName("P\\", "P\\", "CorvaneErrors.log"), "CorvaneErrors.log");
  EXPECT_EQ(ShownFileName("U\\", "P\\", "CorvaneErrors.log"), "U\\CorvaneErrors.log");
  EXPECT_EQ(OwnFilesFolder(), ModuleDirectory());  // the test program's folder is writable
}

TEST(OwnFiles, WritabilityIsTriedAndLeavesNothing) {
  test::TempDir dir;
  const std::string separator(1, PathSeparator());
  EXPECT_TRUE(FolderIsWritable(dir.Path() + separator));
  EXPECT_TRUE(FolderIsWritable(dir.Path() + separator));  // the trial file is gone, so it works again
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  EXPECT_FALSE(FolderIsWritable(dir.File("missing") + separator));
  EXPECT_FALSE(DirectoryExists(dir.File("missing")));
  test::WriteWholeFile(dir.File("file"), "x");
  EXPECT_FALSE(FolderIsWritable(dir.File("file") + separator));
}

}  // namespace
}  // namespace corvane
