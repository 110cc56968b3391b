#pragma once
// The registry as the store sees it: keys addressed by a path below the
// current user's root ("Software\\Ostrel Corp\\Corvane\\ListPresets"),
// holding typed values and subkeys. Names are UTF-8 and compared without
// regard to ASCII letter case. No operation raises; each answers its success.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

enum class RegistryType { Dword, String, Binary, Other };

// One open key; closed when destroyed.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Dword data is its 4 little-endian bytes, String data UTF-8 text, Binary
  // data the raw bytes. False when the value is missing or unreadable.
  virtual bool ReadValue(const std::string& name, RegistryType& type, std::string& data) = 0;
  virtual bool WriteValue(const std::string& name, RegistryType type, const std::string& data) = 0;
  // The subkey names in the registry's enumeration order.
  virtual bool SubkeyNames(std::vector<std::string>& names) = 0;
  virtual bool SubkeyCount(uint32_t& count) = 0;
};

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;
  // Opens the key for reading; with create, for writing too, and every
  // missing key on the path is created. Nothing when it cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool create) = 0;
  // Deletes the key with everything below it.
  virtual bool DeleteKeyTree(const std::string& path) = 0;
  // Gives the key (with everything below it) a new name under the same
  // parent, in one step; fails when a key of that name exists.
  virtual bool RenameKey(const std::string& path, const std::string& newName) = 0;
};

// The current user's registry: the real one on Windows, a process-wide
// in-memory one elsewhere. The real one leaves the reason for a failed
// operation as the thread's last error (LastOSErrorCode).
RegistryBackend& SystemRegistry();
#ifdef _WIN32
// The same operations below HKEY_LOCAL_MACHINE.
RegistryBackend& LocalMachineRegistry();
#endif

}  // namespace corvane
