#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <thread>
#if defined(_WIN32)
#include <windows.h>

#include "os/text_win32.h"
#endif

#include "os/hex.h"
#include "os/process.h"
#include "support/test_support.h"
#include "workers/error_log.h"

namespace corvane {
namespace {

using test::MessageBoxes;

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(ErrorLogRecords, ExceptionRecordHasSixLabelledLinesTheApplicationOneSeven) {
  ExceptionFacts facts{"EDrawerError", reinterpret_cast<const void*>(0x4A3F10), "GL already started."};
  std::string ids = "ProcessID   :  $" + Hex8(CurrentProcessId()) + "\r\nThreadID    :  $" + Hex8(CurrentThreadId());
  std::string tail = "\r\nException   :  EDrawerError\r\nExceptAddr  :  $004A3F10\r\nMessage     :  GL already started.";
  EXPECT_EQ(ExceptionRecord("TDrawer", facts), ids + "\r\nHandler     :  TDrawer" + tail);
  EXPECT_EQ(ApplicationExceptionRecord("TMainForm", "TButton", facts),
            ids + "\r\nHandler     :  TMainForm\r\nRaiser      :  TButton" + tail);
}

TEST(ErrorLog, FirstRecordWritesHeaderWithDriverStringsAndOneBoxLaterRecordsOnlyText) {
  test::ScopedErrorLog log;
  SetGLDriverStrings("Vendor X", "Renderer Y", "1.1 Z");
  LogErrors("first record");
  LogErrors("second record");
  SetGLDriverStrings("", "", "");
  std::string text = log.Contents();

  // Header: CR LF, space, date, space, time, CR LF, empty line.
  EXPECT_TRUE(std::regex_search(text, std::regex("^\r\n [^\r\n]+ [^\r\n]+\r\n\r\n"))) << text;
  EXPECT_EQ(CountOf(text, "File age    :  "), 1);
  EXPECT_NE(text.find("GL Vendor   :  Vendor X\r\nGL Renderer :  Renderer Y\r\nGL Version  :  1.1 Z\r\n\r\n\r\n"
                      "first record\r\n\r\n"),
            std::string::npos)
      << text;
  EXPECT_TRUE(text.ends_with("first record\r\n\r\nsecond record\r\n\r\n"));
  EXPECT_EQ(CountOf(text, "GL Vendor"), 1);

  auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "For more information see logfile CorvaneErrors.log.");
  EXPECT_EQ(boxes[0].caption, "Application Error");
  EXPECT_EQ(boxes[0].icon, BoxIcon::Error);
  EXPECT_TRUE(boxes[0].systemModal);
}

TEST(ErrorLog, UnwritableLogShowsOneFailureBoxAndTheHeaderWaitsForTheFirstWrittenRecord) {
  test::TempDir dir;
  // A directory where the file should be: opening it for writing fails on
  // every platform, also for a privileged user.
  const std::string path = dir.File(kLogFileName);
  std::filesystem::create_directory(path);
  test::ClearMessageBoxes();
  ErrorLog log(path);
  for (const char* record : {"one", "two", "three"}) EXPECT_NO_THROW(log.Write(record));
  auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot write to file CorvaneErrors.log.");

  // Once the file can be written, its first record comes with the header,
  // and only then is the user pointed at it.
  std::filesystem::remove(path);
  log.Write("four");
  log.Write("five");
  const std::string text = test::ReadWholeFile(path);
  EXPECT_TRUE(text.starts_with("\r\n ")) << text;
  EXPECT_EQ(CountOf(text, "GL Vendor   :  "), 1);
  EXPECT_TRUE(text.ends_with("\r\n\r\nfour\r\n\r\nfive\r\n\r\n")) << text;
  boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "For more information see logfile CorvaneErrors.log.");
}

TEST(ErrorLog, ConcurrentRecordsNeverInterleave) {
  test::ScopedErrorLog log;
  constexpr int kThreads = 4, kRecords = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t] {
      std::string body(300, static_cast<char>('a' + t));
      for (int i = 0; i < kRecords; ++i) LogErrors("<" + body + ">");
    });
  for (auto& thread : threads) thread.join();
  std::string text = log.Contents();
  for (int t = 0; t < kThreads; ++t)
    EXPECT_EQ(CountOf(text, "<" + std::string(300, static_cast<char>('a' + t)) + ">\r\n\r\n"), kRecords);
  EXPECT_EQ(MessageBoxes().size(), 1u);
}

TEST(ErrorLog, SuppressedOSErrorRecord) {
  test::ScopedErrorLog log;
  LogLastOSError(5);
  std::string text = log.Contents();
  EXPECT_TRUE(std::regex_search(
      text, std::regex("ProcessID   :  \\$[0-9A-F]{8}\r\nThreadID    :  \\$[0-9A-F]{8}\r\nException   :  "
                       "Suppressed exception EOSError\r\nMessage     :  Address :  \\$[0-9A-F]{8,16},  "
                       "ErrorCode :  5")))
      << text;
}

#if defined(_WIN32)
TEST(ErrorLog, RealFileAppearsBesideTheExecutable) {
  std::string path = ModuleDirectory() + kLogFileName;
  std::filesystem::remove(std::filesystem::u8path(path));
  RedirectProcessErrorLog(path);
  test::ClearMessageBoxes();
  LogErrors("beside the executable");
  EXPECT_NE(test::ReadWholeFile(path).find("beside the executable\r\n\r\n"), std::string::npos);
  // The test program carries no version resource, so the header has none.
  EXPECT_EQ(test::ReadWholeFile(path).find("File ver.   :  "), std::string::npos);
  std::filesystem::remove(std::filesystem::u8path(path));
}

TEST(ErrorLog, FileVersionIsReadFromVersionResources) {
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  std::string kernel = Narrow(std::wstring(system) + L"\\kernel32.dll");
  auto version = FileVersionOf(kernel);
  ASSERT_TRUE(version.has_value());
  EXPECT_TRUE(std::regex_match(*version, std::regex("\\d+\\.\\d+\\.\\d+\\.\\d+"))) << *version;
  EXPECT_FALSE(FileVersionOf(ModuleFileName()).has_value());
}
#endif

}  // namespace
}  // namespace corvane
