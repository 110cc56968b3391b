#include "gui/file_dialog_rules.h"

#include <algorithm>

namespace corvane::gui {

std::vector<FileFilter> ParseFileFilter(std::string_view text) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    size_t bar = text.find('|');
    parts.push_back(text.substr(0, bar));
    if (bar == std::string_view::npos) break;
    text.remove_prefix(bar + 1);
  }
  std::vector<FileFilter> filters;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({std::string(parts[i]), std::string(parts[i + 1])});
  return filters;
}

std::vector<std::string> SplitSelectedFiles(std::string_view answer) {
  std::vector<std::string> parts;
  while (!answer.empty() && answer.front() != '\0') {
    size_t end = answer.find('\0');
    parts.emplace_back(answer.substr(0, end));
    if (end == std::string_view::npos) break;
    answer.remove_prefix(end + 1);
  }
  if (parts.size() <= 1) return parts;
  std::string folder = parts.front();
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  std::vector<std::string> paths;
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

DialogShowing ShowUntilAnswerFits(const std::function<DialogShowing(size_t answerChars)>& show) {
  for (size_t room = kFirstAnswerChars;;) {
    DialogShowing showing = show(room);
    if (showing.outcome != DialogShowing::Outcome::TooSmall || room >= kMostAnswerChars) return showing;
    room = std::min(kMostAnswerChars, std::max(showing.neededChars, room * 8));
  }
}

}  // namespace corvane::gui
