#include "shell/entry.h"

#include <gtest/gtest.h>

#include "figure/cpu_level.h"
#include "figure/kernels.h"
#include "support/test_support.h"

namespace corvane {
namespace {

// Start-up on a machine that lacks one of the OpenGL libraries: the numeric
// kernels are chosen all the same, and each failure is one logged record.
TEST(EntrySequence, ChoosesTheKernelsAndLogsAMissingOpenGLLibrary) {
  if (CpuLevel() < 4) GTEST_SKIP() << "the plain kernels are the choice here anyway";
  test::ScopedErrorLog log;
  const OpenGLLibraryNames missing[] = {{"CorvaneNoSuchOpenGL32.dll", "GLU32.dll"},
                                        {"OpenGL32.dll", "CorvaneNoSuchGLU32.dll"}};
  for (const OpenGLLibraryNames& names : missing) {
    SelectKernels(0);
    RunEntrySequence({"/s"}, names);
    const SineRoutine sine = PathSine();
    const EyeDistanceRoutine eyeDistance = EyeDistanceKernel();
    InitNumericKernels();
    EXPECT_EQ(sine, PathSine()) << names.openGL;
    EXPECT_EQ(eyeDistance, EyeDistanceKernel()) << names.openGL;
  }
  const std::string text = log.Contents();
  const std::string failure = "Message     :  OpenGL is not initialized.\r\n";
  ASSERT_NE(text.find(failure), std::string::npos) << text;
  EXPECT_NE(text.find(failure), text.rfind(failure)) << "one record for each start";
}

}  // namespace
}  // namespace corvane
