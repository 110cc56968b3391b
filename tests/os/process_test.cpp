#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvane
