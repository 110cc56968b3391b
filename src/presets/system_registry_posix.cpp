#include "presets/memory_registry.h"

namespace corvane {

RegistryBackend& SystemRegistry() {
  static MemoryRegistry registry;
  return registry;
}

}  // namespace corvane
