#include <windows.h>

#include <cstring>
#include <utility>

#include "os/registry_key_win32.h"
#include "os/text_win32.h"
#include "presets/registry_backend.h"

namespace corvane {
namespace {

// A failed call leaves its reason as the thread's last error, for callers
// that report it.
bool Succeeded(LONG status) {
  if (status == ERROR_SUCCESS) return true;
  SetLastError(static_cast<DWORD>(status));
  return false;
}

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(UniqueRegKey key) : key_(std::move(key)) {}

  bool ReadValue(const std::string& name, RegistryType& type, std::string& data) override {
    std::wstring wideName = Widen(name);
    DWORD rawType = 0, size = 0;
    if (!Succeeded(RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &rawType, nullptr, &size)))
      return false;
    std::string bytes(size, '\0');
    if (!Succeeded(RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &rawType,
                                    reinterpret_cast<BYTE*>(bytes.data()), &size)))
      return false;
    bytes.resize(size);
    switch (rawType) {
      case REG_DWORD:
        type = RegistryType::Dword;
        data = bytes;
        break;
      case REG_SZ:
      case REG_EXPAND_SZ: {
        // Stored text may lack its terminator or have an odd length.
        std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
        if (size_t nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
        type = RegistryType::String;
        data = Narrow(text);
        break;
      }
      case REG_BINARY:
        type = RegistryType::Binary;
        data = bytes;
        break;
      default:
        type = RegistryType::Other;
        data = bytes;
    }
    return true;
  }

  bool WriteValue(const std::string& name, RegistryType type, const std::string& data) override {
    DWORD rawType = REG_BINARY;
    std::string bytes = data;
    switch (type) {
      case RegistryType::Dword:
        if (data.size() != sizeof(DWORD)) return false;
        rawType = REG_DWORD;
        break;
      case RegistryType::String: {
        std::wstring text = Widen(data);
        bytes.assign(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
        rawType = REG_SZ;
        break;
      }
      case RegistryType::Binary:
        break;
      case RegistryType::Other:
        return false;
    }
    return Succeeded(RegSetValueExW(key_.Get(), Widen(name).c_str(), 0, rawType,
                                    reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())));
  }

  bool SubkeyNames(std::vector<std::string>& names) override {
    DWORD count = 0, longest = 0;
    if (!Succeeded(RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr)))
      return false;
    std::vector<std::string> found;
    std::wstring buffer(longest + 1, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD length = static_cast<DWORD>(buffer.size());
      LONG status = RegEnumKeyExW(key_.Get(), i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) break;
      if (status == ERROR_MORE_DATA) {  // a longer name appeared since the query
        buffer.resize(buffer.size() * 2);
        --i;
        continue;
      }
      if (!Succeeded(status)) return false;
      found.push_back(Narrow(std::wstring_view(buffer.data(), length)));
    }
    names = std::move(found);
    return true;
  }

  bool SubkeyCount(uint32_t& count) override {
    DWORD subkeys = 0;
    if (!Succeeded(RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr)))
      return false;
    count = subkeys;
    return true;
  }

 private:
  UniqueRegKey key_;
};

class Win32Registry : public RegistryBackend {
 public:
  explicit Win32Registry(HKEY root) : root_(root) {}

  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool create) override {
    std::wstring widePath = Widen(path);
    HKEY key = nullptr;
    LONG status = create ? RegCreateKeyExW(root_, widePath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                         : RegOpenKeyExW(root_, widePath.c_str(), 0, KEY_READ, &key);
    if (!Succeeded(status)) return nullptr;  // nothing to close: the key is only ours on success
    return std::make_unique<Win32Key>(UniqueRegKey(key));
  }

  bool DeleteKeyTree(const std::string& path) override {
    if (path.empty()) return false;  // never the whole of the current user's registry
    return Succeeded(RegDeleteTreeW(root_, Widen(path).c_str()));
  }

  bool RenameKey(const std::string& path, const std::string& newName) override {
    if (path.empty()) return false;
    return Succeeded(RegRenameKey(root_, Widen(path).c_str(), Widen(newName).c_str()));
  }

 private:
  HKEY root_;
};

}  // namespace

RegistryBackend& SystemRegistry() {
  static Win32Registry registry(HKEY_CURRENT_USER);
  return registry;
}

RegistryBackend& LocalMachineRegistry() {
  static Win32Registry registry(HKEY_LOCAL_MACHINE);
  return registry;
}

}  // namespace corvane
