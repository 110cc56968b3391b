#pragma once
// UTF-8 inside the program, UTF-16 at the Win32 boundary.

#include <string>
#include <string_view>

namespace corvane {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace corvane
