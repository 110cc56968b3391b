#pragma once
// Portable text helpers shared across the layers: ASCII case folding (names
// in preset files, registry paths and command lines compare that way, never
// by locale), line splitting, UTF-8 checks and UTF-8 file paths.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string AsciiLower(std::string text);
std::string AsciiUpper(std::string text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The lines of a text ended by CR LF, LF or CR; a final line end does not
// start another (empty) line. The views point into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// Whether `text` is well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);
// Text in the system's 8-bit code page as UTF-8: the ANSI code page on
// Windows, Latin-1 elsewhere.
std::string SystemCodePageToUtf8(std::string_view text);

// A path given as UTF-8 bytes, whatever the system's narrow encoding.
std::filesystem::path Utf8Path(std::string_view path);

}  // namespace corvane
