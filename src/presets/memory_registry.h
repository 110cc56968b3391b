#pragma once
// A registry kept in memory: the store's backend on systems without one,
// and a clean registry for tests. Subkeys enumerate in case-insensitive
// alphabetical order, as the real registry's do.

#include <map>
#include <mutex>
#include <utility>

#include "presets/registry_backend.h"

namespace corvane {

class MemoryRegistry : public RegistryBackend {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool create) override;
  bool DeleteKeyTree(const std::string& path) override;
  bool RenameKey(const std::string& path, const std::string& newName) override;

  struct Node;

 private:
  class Key;
  // Resolves a path; with create, makes the missing keys. Call under mutex_.
  Node* Find(const std::string& path, bool create);
  Node* Walk(const std::vector<std::string>& parts, bool create);
  std::pair<Node*, std::string> ParentOf(const std::string& path);

  std::mutex mutex_;
  std::unique_ptr<Node> root_;
};

}  // namespace corvane
