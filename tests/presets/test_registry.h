#pragma once
// Points the registry store at a key of the test's own, below a parent of
// its own, on the given backend; removes both afterwards. Tests never touch
// the real program key.

#include <memory>
#include <string>
#include <vector>

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

// While it lives, the store's backend lets `allowed` value writes through
// and refuses every later one, as a full or locked registry does part-way.
class ScopedFailingWrites final : public RegistryBackend {
 public:
  explicit ScopedFailingWrites(int allowed) : saved_(CurrentRegistryPlace()), allowed_(allowed) {
    SetRegistryPlace({this, saved_.root});
  }
  ~ScopedFailingWrites() override { SetRegistryPlace(saved_); }

  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool create) override {
    auto key = saved_.backend->OpenKey(path, create);
    return key ? std::make_unique<Key>(std::move(key), allowed_) : nullptr;
  }
  bool DeleteKeyTree(const std::string& path) override { return saved_.backend->DeleteKeyTree(path); }
  bool RenameKey(const std::string& path, const std::string& name) override {
    return saved_.backend->RenameKey(path, name);
  }

 private:
  class Key final : public RegistryKey {
   public:
    Key(std::unique_ptr<RegistryKey> inner, int& allowed) : inner_(std::move(inner)), allowed_(allowed) {}
    bool ReadValue(const std::string& name, RegistryType& type, std::string& data) override {
      return inner_->ReadValue(name, type, data);
    }
    bool WriteValue(const std::string& name, RegistryType type, const std::string& data) override {
      return allowed_-- > 0 && inner_->WriteValue(name, type, data);
    }
    bool SubkeyNames(std::vector<std::string>& names) override { return inner_->SubkeyNames(names); }
    bool SubkeyCount(uint32_t& count) override { return inner_->SubkeyCount(count); }

   private:
    std::unique_ptr<RegistryKey> inner_;
    int& allowed_;
  };

  RegistryPlace saved_;
  int allowed_;
};

}  // namespace corvane::test
