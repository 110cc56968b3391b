#include "shell/entry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

#include "figure/cpu_level.h"
#include "figure/kernels.h"
#include "os/process.h"
#include "os/text.h"
#include "os/text_win32.h"
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

// The libraries of every static import of the PE file at `path`, in capitals.
std::vector<std::string> StaticImports(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto at = [&](size_t offset, auto& value) {
    if (offset + sizeof value > file.size()) throw std::runtime_error("cut short at " + std::to_string(offset));
    std::memcpy(&value, file.data() + offset, sizeof value);
  };
  IMAGE_DOS_HEADER dos;
  at(0, dos);
  IMAGE_NT_HEADERS64 nt;
  at(static_cast<size_t>(dos.e_lfanew), nt);
  if (nt.Signature != IMAGE_NT_SIGNATURE || nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
    throw std::runtime_error("not a 64-bit PE file");
  size_t sections = static_cast<size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                    nt.FileHeader.SizeOfOptionalHeader;
  auto fileOffset = [&](DWORD rva) {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section;
      at(sections + i * sizeof section, section);
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
        return static_cast<size_t>(rva - section.VirtualAddress + section.PointerToRawData);
    }
    throw std::runtime_error("no section holds " + std::to_string(rva));
  };
  std::vector<std::string> names;
  DWORD table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (size_t entry = fileOffset(table);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR descriptor;
    at(entry, descriptor);
    if (descriptor.Name == 0) break;
    std::string name(file.data() + fileOffset(descriptor.Name));
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return std::toupper(c); });
    names.push_back(name);
  }
  if (nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].Size != 0) names.push_back("<delay-load>");
  return names;
}

// The loader resolves a static import before the program runs a line, and
// would search the folder the program was started from, where anyone can
// put a file. Only these names are never searched for.
TEST(ProgramFile, ImportsOnlyLibrariesTheLoaderNeverSearches) {
  // The KnownDLLs of Windows 10 and 11: mapped from the sections the system
  // made from its own directory at boot.
  const std::set<std::string> known = {
      "ADVAPI32.DLL", "CLBCATQ.DLL", "COMBASE.DLL", "COMDLG32.DLL", "COML2.DLL",    "DIFXAPI.DLL",
      "GDI32.DLL",    "GDIPLUS.DLL", "IMAGEHLP.DLL", "IMM32.DLL",   "KERNEL32.DLL", "MSCTF.DLL",
      "MSVCRT.DLL",   "NORMALIZ.DLL", "NSI.DLL",     "OLE32.DLL",   "OLEAUT32.DLL", "PSAPI.DLL",
      "RPCRT4.DLL",   "SECHOST.DLL", "SETUPAPI.DLL", "SHCORE.DLL",  "SHELL32.DLL",  "SHLWAPI.DLL",
      "USER32.DLL",   "WLDAP32.DLL", "WS2_32.DLL"};
  // Not a KnownDLL, but the manifest's dependency on the common controls 6
  // makes the loader take it from the system's side-by-side store, where the
  // signed assembly is found first; a manifest also turns off ".local"
  // redirection. Checked below.
  const std::string sideBySide = "COMCTL32.DLL";
  std::string program = ModuleFileName();
  program = program.substr(0, program.find_last_of('\\')) + "\\..\\src\\shell\\Corvane.scr";

  std::vector<std::string> imports = StaticImports(program);
  ASSERT_FALSE(imports.empty()) << program;
  for (const std::string& name : imports)
    EXPECT_TRUE(known.count(name) || name == sideBySide) << name << " could be planted beside " << program;

  if (std::find(imports.begin(), imports.end(), sideBySide) == imports.end()) return;
  HMODULE image = LoadLibraryExW(Widen(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  HRSRC resource = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(resource, nullptr) << "no manifest";
  std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, resource))),
                       SizeofResource(image, resource));
  FreeLibrary(image);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << manifest;
}

}  // namespace
}  // namespace corvane
