#include "presets/memory_registry.h"

#include "os/text.h"

namespace corvane {
namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

struct MemoryRegistry::Node {
  struct Value {
    RegistryType type;
    std::string data;
  };
  std::string name;
  std::map<std::string, std::unique_ptr<Node>> children;  // by folded name
  std::map<std::string, Value> values;                    // by folded name
};

// A key handle holds its path, not its node: a key deleted while a handle is
// open makes the handle's operations fail instead of touching freed memory.
class MemoryRegistry::Key : public RegistryKey {
 public:
  Key(MemoryRegistry& owner, std::string path, bool writable)
      : owner_(owner), path_(std::move(path)), writable_(writable) {}

  bool ReadValue(const std::string& name, RegistryType& type, std::string& data) override {
    std::lock_guard lock(owner_.mutex_);
    Node* node = owner_.Find(path_, false);
    if (!node) return false;
    auto it = node->values.find(AsciiLower(name));
    if (it == node->values.end()) return false;
    type = it->second.type;
    data = it->second.data;
    return true;
  }

  bool WriteValue(const std::string& name, RegistryType type, const std::string& data) override {
    if (!writable_) return false;
    std::lock_guard lock(owner_.mutex_);
    Node* node = owner_.Find(path_, false);
    if (!node) return false;
    node->values[AsciiLower(name)] = {type, data};
    return true;
  }

  bool SubkeyNames(std::vector<std::string>& names) override {
    std::lock_guard lock(owner_.mutex_);
    Node* node = owner_.Find(path_, false);
    if (!node) return false;
    names.clear();
    for (const auto& [folded, child] : node->children) names.push_back(child->name);
    return true;
  }

  bool SubkeyCount(uint32_t& count) override {
    std::lock_guard lock(owner_.mutex_);
    Node* node = owner_.Find(path_, false);
    if (!node) return false;
    count = static_cast<uint32_t>(node->children.size());
    return true;
  }

 private:
  MemoryRegistry& owner_;
  std::string path_;
  bool writable_;  // opened with create, as the real registry grants
};

MemoryRegistry::MemoryRegistry() : root_(std::make_unique<Node>()) {}
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Find(const std::string& path, bool create) {
  return Walk(SplitPath(path), create);
}

MemoryRegistry::Node* MemoryRegistry::Walk(const std::vector<std::string>& parts, bool create) {
  Node* node = root_.get();
  for (const std::string& part : parts) {
    std::string folded = AsciiLower(part);
    auto it = node->children.find(folded);
    if (it == node->children.end()) {
      if (!create) return nullptr;
      it = node->children.emplace(folded, std::make_unique<Node>()).first;
      it->second->name = part;
    }
    node = it->second.get();
  }
  return node;
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(const std::string& path, bool create) {
  std::lock_guard lock(mutex_);
  if (!Find(path, create)) return nullptr;
  return std::make_unique<Key>(*this, path, create);
}

// The parent of the key at `path` and the key's folded name; no parent for
// the root. Call under mutex_.
std::pair<MemoryRegistry::Node*, std::string> MemoryRegistry::ParentOf(const std::string& path) {
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty()) return {nullptr, {}};  // the root itself is not a key to delete or rename
  std::string last = AsciiLower(parts.back());
  parts.pop_back();
  return {Walk(parts, false), last};
}

bool MemoryRegistry::DeleteKeyTree(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto [parent, name] = ParentOf(path);
  return parent && parent->children.erase(name) == 1;
}

bool MemoryRegistry::RenameKey(const std::string& path, const std::string& newName) {
  std::lock_guard lock(mutex_);
  auto [parent, name] = ParentOf(path);
  std::string folded = AsciiLower(newName);
  if (!parent || newName.empty() || newName.find('\\') != std::string::npos || parent->children.count(folded))
    return false;
  auto node = parent->children.extract(name);
  if (node.empty()) return false;
  node.key() = folded;
  node.mapped()->name = newName;
  parent->children.insert(std::move(node));
  return true;
}

}  // namespace corvane
