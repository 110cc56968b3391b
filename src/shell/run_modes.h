#pragma once
// The four run modes the entry sequence dispatches to. Each returns when its
// message loop ends.

#include <string>
#include <vector>

namespace corvane {

void RunApplication();
// `arguments` excludes the program name; "/c:HWND" names the owner window.
void RunConfiguration(const std::vector<std::string>& arguments);
// `arguments` excludes the program name; the second one is the parent window.
void RunPreview(const std::vector<std::string>& arguments);
void RunFullScreen();

}  // namespace corvane
