#include "shell/start_file.h"

namespace corvane {
namespace {
// Written once by the entry sequence before any window exists.
uint8_t g_kind = 0;
std::string g_name;
}  // namespace

uint8_t StartFileKind() { return g_kind; }
const std::string& StartFileName() { return g_name; }
void SetStartFile(uint8_t kind, std::string name) {
  g_kind = kind;
  g_name = std::move(name);
}

}  // namespace corvane
