#pragma once
// The error log "CorvaneErrors.log" beside the executable, or in the
// per-user folder when the user cannot write there (os/own_files.h): every
// exception that leaves a thread body, the entry block or a message loop
// becomes a record there, and the first record of a process tells the user,
// once.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "os/exception.h"

namespace corvane {

inline constexpr char kLogFileName[] = "CorvaneErrors.log";
inline constexpr char kCrLf[] = "\r\n";

// Record line labels: 12 characters, two spaces, and "$" before hex values.
namespace log_label {
inline constexpr char kProcessId[] = "ProcessID   :  $";
inline constexpr char kThreadId[] = "ThreadID    :  $";
inline constexpr char kHandler[] = "Handler     :  ";
inline constexpr char kRaiser[] = "Raiser      :  ";
inline constexpr char kException[] = "Exception   :  ";
inline constexpr char kExceptAddr[] = "ExceptAddr  :  $";
inline constexpr char kMessage[] = "Message     :  ";
inline constexpr char kPlatformId[] = "PlatformID  :  ";
inline constexpr char kOSVersion[] = "OS version  :  ";
inline constexpr char kCSDVersion[] = "CSDVersion  :  ";
inline constexpr char kFileVersion[] = "File ver.   :  ";
inline constexpr char kFileAge[] = "File age    :  ";
inline constexpr char kGLVendor[] = "GL Vendor   :  ";
inline constexpr char kGLRenderer[] = "GL Renderer :  ";
inline constexpr char kGLVersion[] = "GL Version  :  ";
}  // namespace log_label

// The six-line record of the entry block and of worker threads; `handler`
// is the executable's file name or the worker's class name.
std::string ExceptionRecord(std::string_view handler, const ExceptionFacts& facts);
// The seven-line record of an application-level handler, which also names
// the class of the object that raised the event.
std::string ApplicationExceptionRecord(std::string_view handler, std::string_view raiser,
                                       const ExceptionFacts& facts);

class ErrorLog {
 public:
  // `shownName` is how the boxes name the file.
  explicit ErrorLog(std::string path, std::string shownName = kLogFileName)
      : path_(std::move(path)), shownName_(std::move(shownName)) {}
  // Appends one record; never raises. Its own failures are told once.
  void Write(std::string_view text);
  const std::string& Path() const { return path_; }

 private:
  std::string ProcessHeader() const;

  std::mutex lock_;
  std::string path_;
  std::string shownName_;
  bool loggedOnce_ = false;
  bool writeFailureShown_ = false;
};

// The process's log, in the folder chosen at its first record.
ErrorLog& ProcessErrorLog();
// Points the process's log at another file with fresh once-flags (tests).
void RedirectProcessErrorLog(const std::string& path);

void LogErrors(std::string_view text);

// Logs the system error as a suppressed EOSError instead of raising it,
// where a failure must not stop the caller (clean-up, destructors).
CORVANE_NOINLINE void LogLastOSError();
CORVANE_NOINLINE void LogLastOSError(uint32_t code);

// The OpenGL driver strings printed in the log header; empty until a
// drawing thread first opens OpenGL.
void SetGLDriverStrings(std::string vendor, std::string renderer, std::string version);

}  // namespace corvane
