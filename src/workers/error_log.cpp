#include "workers/error_log.h"

#include <cstdio>
#include <memory>

#include "os/hex.h"
#include "os/message_box.h"
#include "os/os_error.h"
#include "os/own_files.h"
#include "os/process.h"
#if defined(_WIN32)
#include "os/text_win32.h"
#endif

namespace corvane {
namespace {

struct GLDriverStrings {
  std::mutex lock;
  std::string vendor, renderer, version;
};

GLDriverStrings& DriverStrings() {
  static GLDriverStrings strings;
  return strings;
}

std::string Line(const char* label, std::string_view value) {
  std::string line(label);
  line += value;
  return line;
}

std::string IdLines() {
  return Line(log_label::kProcessId, Hex8(CurrentProcessId())) + kCrLf +
         Line(log_label::kThreadId, Hex8(CurrentThreadId())) + kCrLf;
}

std::string FactLines(const ExceptionFacts& facts) {
  return Line(log_label::kException, facts.className) + kCrLf +
         Line(log_label::kExceptAddr, HexAddress(facts.address)) + kCrLf + Line(log_label::kMessage, facts.message);
}

FILE* OpenForAppend(const std::string& path) {
#if defined(_WIN32)
  return _wfopen(Widen(path).c_str(), L"ab");
#else
  return std::fopen(path.c_str(), "ab");
#endif
}

std::mutex g_processLogLock;
std::unique_ptr<ErrorLog> g_processLog;

void LogSuppressedOSError(uint32_t code, const void* caller) {
  LogErrors(IdLines() + Line(log_label::kException, "Suppressed exception EOSError") + kCrLf +
            Line(log_label::kMessage, OSErrorMessage(code, caller)));
}

}  // namespace

std::string ExceptionRecord(std::string_view handler, const ExceptionFacts& facts) {
  return IdLines() + Line(log_label::kHandler, handler) + kCrLf + FactLines(facts);
}

std::string ApplicationExceptionRecord(std::string_view handler, std::string_view raiser,
                                       const ExceptionFacts& facts) {
  return IdLines() + Line(log_label::kHandler, handler) + kCrLf + Line(log_label::kRaiser, raiser) + kCrLf +
         FactLines(facts);
}

std::string ErrorLog::ProcessHeader() const {
  std::string header = std::string(kCrLf) + " " + CurrentDateText() + " " + CurrentTimeText() + kCrLf + kCrLf;
  if (auto os = ReadOSVersion()) {
    header += Line(log_label::kPlatformId, os->platformId) + kCrLf + Line(log_label::kOSVersion, os->version) +
              kCrLf + Line(log_label::kCSDVersion, os->servicePack) + kCrLf + kCrLf;
  }
  std::string module = ModuleFileName();
  if (auto version = FileVersionOf(module)) header += Line(log_label::kFileVersion, *version) + kCrLf;
  header += Line(log_label::kFileAge, FileModificationText(module).value_or("")) + kCrLf + kCrLf;
  GLDriverStrings& gl = DriverStrings();
  std::lock_guard<std::mutex> lock(gl.lock);
  header += Line(log_label::kGLVendor, gl.vendor) + kCrLf + Line(log_label::kGLRenderer, gl.renderer) + kCrLf +
            Line(log_label::kGLVersion, gl.version) + kCrLf + kCrLf + kCrLf;
  return header;
}

void ErrorLog::Write(std::string_view text) {
  bool tellWhereToLook = false;
  bool tellWriteFailure = false;
  {
    std::lock_guard<std::mutex> lock(lock_);
    std::string output;
    try {
      if (!loggedOnce_) output = ProcessHeader();
      output.append(text);
      output += kCrLf;
      output += kCrLf;
    } catch (...) {
      output.assign(text);  // no memory for the header: keep the record
    }
    FILE* file = OpenForAppend(path_);
    bool written = file && std::fwrite(output.data(), 1, output.size(), file) == output.size();
    if (file && std::fclose(file) != 0) written = false;
    // Only a record that reached the file counts as logged: until one has,
    // the next record carries the header, and no box points at a file that
    // holds nothing.
    if (!written && !writeFailureShown_) {
      writeFailureShown_ = true;
      tellWriteFailure = true;
    }
    if (written && !loggedOnce_) {
      loggedOnce_ = true;
      tellWhereToLook = true;
    }
  }
  // The boxes are modal: they are shown after the lock is released, so that
  // other threads logging meanwhile are not held up by the user.
  try {
    if (tellWhereToLook) ShowErrorBox("For more information see logfile " + shownName_ + ".");
    if (tellWriteFailure) ShowErrorBox("Cannot write to file " + shownName_ + ".");
  } catch (...) {
  }
}

ErrorLog& ProcessErrorLog() {
  std::lock_guard<std::mutex> lock(g_processLogLock);
  if (!g_processLog) {
    const std::string folder = OwnFilesFolder();
    g_processLog =
        std::make_unique<ErrorLog>(folder + kLogFileName, ShownFileName(folder, ModuleDirectory(), kLogFileName));
  }
  return *g_processLog;
}

void RedirectProcessErrorLog(const std::string& path) {
  std::lock_guard<std::mutex> lock(g_processLogLock);
  g_processLog = std::make_unique<ErrorLog>(path);
}

void LogErrors(std::string_view text) { ProcessErrorLog().Write(text); }

void LogLastOSError() { LogSuppressedOSError(LastOSErrorCode(), CORVANE_RETURN_ADDRESS()); }

void LogLastOSError(uint32_t code) { LogSuppressedOSError(code, CORVANE_RETURN_ADDRESS()); }

void SetGLDriverStrings(std::string vendor, std::string renderer, std::string version) {
  GLDriverStrings& gl = DriverStrings();
  std::lock_guard<std::mutex> lock(gl.lock);
  gl.vendor = std::move(vendor);
  gl.renderer = std::move(renderer);
  gl.version = std::move(version);
}

}  // namespace corvane
