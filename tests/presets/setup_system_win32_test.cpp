// The elevated road of the running system, with a system directory of the
// test's own and a probe in place of the program. As for an ordinary user,
// every plain copy and deletion there is denied.
#include "presets/setup_system_win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "os/process.h"
#include "os/text.h"
#include "os/text_win32.h"
#include "support/test_support.h"
#include "support/test_window.h"
#include "test_registry.h"

namespace corvane {
namespace {

class ProbeSystem final : public WindowsSetupSystem {
 public:
  ProbeSystem(const test::TempDir& dir, std::string keyPrefix) : dir_(dir), prefix_(std::move(keyPrefix)) {}
  std::string ProgramFile() override { return dir_.File("Probe.scr"); }
  std::string SystemDirectory() override { return dir_.File("system32"); }
  FileOutcome CopyOver(const std::string&, const std::string&) override { return FileOutcome::AccessDenied; }
  FileOutcome RemoveFile(const std::string&) override { return FileOutcome::AccessDenied; }
  RegistryBackend* MachineRegistry() override { return nullptr; }
  std::string ClassesKey() override { return prefix_ + "Software\\Classes"; }
  std::string DesktopKey() override { return prefix_ + "Control Panel\\Desktop"; }

 private:
  const test::TempDir& dir_;
  std::string prefix_;
};

// Opens the probe's gate from the window thread's message loop, noting
// whether the owner was disabled then.
HANDLE g_gate = nullptr;
HWND g_owner = nullptr;
bool g_ownerWasEnabled = true;
void CALLBACK OpenGate(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_ownerWasEnabled = IsWindowEnabled(g_owner);
  SetEvent(g_gate);
}

std::string FileText(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ElevatedRoad, StartsTheProgramWithItsArgumentAndChecksWhatItDid) {
  test::TempDir dir;
  std::string tests = ModuleFileName().substr(0, ModuleFileName().find_last_of('\\'));
  ASSERT_TRUE(CopyFileW(Widen(tests + "\\presets\\elevation_probe.exe").c_str(), Widen(dir.File("Probe.scr")).c_str(),
                        FALSE));
  ASSERT_TRUE(CreateDirectoryW(Widen(dir.File("system32")).c_str(), nullptr));
  test::ScopedTestRegistry registry(SystemRegistry());
  ProbeSystem system(dir, registry.Parent() + "\\");
  test::TestWindow owner(200, 100);
  system.owner = g_owner = owner.Handle();
  const std::string installed = dir.File("system32\\Corvane.scr");

  // The window thread keeps answering while the child runs: the child waits
  // for it.
  g_gate = CreateEventW(nullptr, TRUE, FALSE, L"CorvaneElevationProbeGate");
  SetTimer(nullptr, 0, 1, OpenGate);
  EXPECT_EQ(RunInstall(system)[2], "Copying Corvane.scr to the SysDir         : Failed") << "nothing was copied";
  CloseHandle(g_gate);
  EXPECT_FALSE(g_ownerWasEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

  std::ofstream(Utf8Path(installed), std::ios::binary) << "an older program";
  EXPECT_EQ(RunInstall(system)[2], "Copying Corvane.scr to the SysDir         : Failed") << "a wrong copy";
  ASSERT_TRUE(CopyFileW(Widen(system.ProgramFile()).c_str(), Widen(installed).c_str(), FALSE));
  EXPECT_TRUE(system.SameContent(system.ProgramFile(), installed));
  EXPECT_EQ(RunRemove(system)[2], "Deleting Corvane.scr from the SysDir     : Failed") << "nothing was deleted";

  EXPECT_EQ(FileText(system.ProgramFile() + ".args"),
            "gate opened\n/elevated-install-copy\n/elevated-install-copy\n/elevated-remove-copy\n");
}

}  // namespace
}  // namespace corvane
