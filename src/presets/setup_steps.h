#pragma once
// "Install" and "Remove": each one's four steps, result words and report
// lines. The file system, the shell and the registries come through
// SetupSystem, so that every decision can be checked without touching the
// real system directory or file types.

#include <functional>
#include <string>
#include <vector>

#include "figure/preset_params.h"
#include "os/exception.h"
#include "presets/registry_backend.h"

namespace corvane {

// Starting the display control panel failed; the message is the table's.
CORVANE_DECLARE_EXCEPTION(EShellExecuteError);
std::string ShellExecuteErrorMessage(int code);

enum class FileOutcome { Ok, AccessDenied, Failed };

class SetupSystem {
 public:
  virtual ~SetupSystem() = default;
  virtual std::string ProgramFile() = 0;
  virtual std::string SystemDirectory() = 0;
  // Replaces an existing target.
  virtual FileOutcome CopyOver(const std::string& from, const std::string& to) = 0;
  // The same program run elevated with `argument` alone (one of the
  // arguments below); true when it ran and answered exit code 0. False
  // when it failed or the prompt was refused.
  virtual bool RunElevated(const std::string& argument) = 0;
  // Whether both files hold the same bytes; false when either is unreadable.
  virtual bool SameContent(const std::string& first, const std::string& second) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual FileOutcome RemoveFile(const std::string& path) = 0;
  // Full paths of the files of `directory` matching "*.cvp", any attributes,
  // in the file system's order; none when the folder is missing.
  virtual std::vector<std::string> FindPresetFiles(const std::string& directory) = 0;
  // Raises EFileError with the system's message when unreadable.
  virtual TPresetParams ReadPreset(const std::string& path) = 0;
  virtual std::string FileVersionText(const std::string& path) = 0;
  // ShellExecute's "open": its result code.
  virtual int ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory) = 0;
  virtual void AssociationsChanged() = 0;
  // The current user's registry; the machine's classes where an older
  // install may have left its file types, or nothing.
  virtual RegistryBackend& UserRegistry() = 0;
  virtual RegistryBackend* MachineRegistry() = 0;
  // Paths in those registries. Tests move them below a key of their own.
  virtual std::string ClassesKey() { return "Software\\Classes"; }
  virtual std::string DesktopKey() { return "Control Panel\\Desktop"; }
};

// The arguments of the elevated runs, each matched exactly and alone: one
// copies the running program to system directory + "\Corvane.scr", the
// other deletes that file; neither does anything else.
inline constexpr char kElevatedCopyArgument[] = "/elevated-install-copy";
inline constexpr char kElevatedRemoveArgument[] = "/elevated-remove-copy";
enum class ElevatedTask { None, Copy, Remove };
ElevatedTask ElevatedRequest(const std::vector<std::string>& arguments);

std::string InstalledFile(SetupSystem& system);  // system directory + "\Corvane.scr"
std::string ReadCurrentScreenSaver(SetupSystem& system);
// Raises EShellExecuteError for a result code of 32 or less.
void InstallScreenSaverApplet(SetupSystem& system, const std::string& path);
bool AssociateFileType(SetupSystem& system, int iconIndex, const std::string& extension, const std::string& kind,
                       const std::string& description);
// 0 removed, 1 nothing to remove, 2 failed.
int RemoveFileAssociation(SetupSystem& system, const std::string& extension, const std::string& kind);

// Whether the main window's first show opens "Setup" by itself: the
// program's key is missing (never installed, or removed) or "ShowSetup" is on.
bool SetupOpensByItself();

// The lines of the information block.
std::vector<std::string> SetupInformationLines(SetupSystem& system);
// Each answers its report lines in reading order. `presetsStored` runs after
// the last preset was stored (the editor refills its list). Raise
// EShellExecuteError or EFileError, adding no report.
std::vector<std::string> RunInstall(SetupSystem& system, const std::function<void()>& presetsStored = {});
std::vector<std::string> RunRemove(SetupSystem& system);

}  // namespace corvane
