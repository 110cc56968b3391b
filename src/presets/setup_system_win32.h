#pragma once
// The running Windows system behind "Install" and "Remove". Tests derive
// from it to move the copy target and the file types somewhere of their own.

#include <windows.h>

#include "presets/setup_steps.h"

namespace corvane {

class WindowsSetupSystem : public SetupSystem {
 public:
  std::string ProgramFile() override;
  std::string SystemDirectory() override;
  FileOutcome CopyOver(const std::string& from, const std::string& to) override;
  // Starts the elevated run with the prompt owned by `owner`, and keeps the
  // window thread answering, `owner` disabled, until the run has ended.
  bool RunElevated(const std::string& argument) override;
  bool SameContent(const std::string& first, const std::string& second) override;
  bool FileExists(const std::string& path) override;
  FileOutcome RemoveFile(const std::string& path) override;
  std::vector<std::string> FindPresetFiles(const std::string& directory) override;
  TPresetParams ReadPreset(const std::string& path) override;
  std::string FileVersionText(const std::string& path) override;
  int ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory) override;
  void AssociationsChanged() override;
  RegistryBackend& UserRegistry() override;
  RegistryBackend* MachineRegistry() override;

  // The "Setup" window.
  HWND owner = nullptr;
};

// The whole work of an elevated run: the running program file copied to
// system directory + "\Corvane.scr", or that file deleted. The exit code:
// 0, else the system error.
int RunElevatedTask(ElevatedTask task);

}  // namespace corvane
