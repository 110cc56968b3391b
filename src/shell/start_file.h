#pragma once
// What the entry sequence learnt of a file argument, for the windows that
// open the file (preset editor, wallpapers window).

#include <cstdint>
#include <string>

namespace corvane {

uint8_t StartFileKind();
const std::string& StartFileName();
void SetStartFile(uint8_t kind, std::string name);

}  // namespace corvane
