#pragma once
// Libraries loaded at run time come from the system directory only: a file
// of the same name beside the program (in a download folder, say) is never
// loaded, least of all by the elevated run. Every static import of the
// program is a library the loader always takes from the system.

#include <windows.h>

#include <string>
#include <vector>

namespace corvane {

HMODULE LoadSystemLibrary(const wchar_t* name);

// A routine of a system library; null when either is missing.
template <typename Fn>
Fn SystemRoutine(const wchar_t* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A file's version resource; empty when it has none.
std::vector<unsigned char> FileVersionBlock(const std::string& path);
// One value of such a block, as VerQueryValueW answers it.
bool QueryVersionValue(const std::vector<unsigned char>& block, const wchar_t* subBlock, void** value,
                       UINT* length);

}  // namespace corvane
