#pragma once
// Points the registry store at a key of the test's own, below a parent of
// its own, on the given backend; removes both afterwards. Tests never touch
// the real program key.

#include <string>

#include "os/process.h"
#include "presets/registry_store.h"

namespace corvane::test {

class ScopedTestRegistry {
 public:
  explicit ScopedTestRegistry(RegistryBackend& backend)
      : backend_(backend),
        parent_("Software\\Corvane Tests " + std::to_string(CurrentProcessId())),
        saved_(CurrentRegistryPlace()) {
    backend_.DeleteKeyTree(parent_);
    SetRegistryPlace({&backend_, Root()});
  }
  ~ScopedTestRegistry() {
    backend_.DeleteKeyTree(parent_);
    SetRegistryPlace(saved_);
  }
  ScopedTestRegistry(const ScopedTestRegistry&) = delete;
  ScopedTestRegistry& operator=(const ScopedTestRegistry&) = delete;

  const std::string& Parent() const { return parent_; }
  std::string Root() const { return parent_ + "\\Corvane"; }
  // Writes a raw value below the program key, as another program might.
  bool WriteRaw(const std::string& subkey, const std::string& name, RegistryType type, const std::string& data) {
    auto key = backend_.OpenKey(subkey.empty() ? Root() : Root() + "\\" + subkey, true);
    return key && key->WriteValue(name, type, data);
  }

 private:
  RegistryBackend& backend_;
  std::string parent_;
  RegistryPlace saved_;
};

}  // namespace corvane::test
