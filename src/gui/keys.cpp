#include "gui/keys.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace corvane::gui {
namespace {

struct NamedKey {
  std::string_view name;
  Key key;
};
// The first spelling of a key is the one ShortCutText writes.
constexpr std::array kNamedKeys{
    NamedKey{"BkSp", keys::kBack},   NamedKey{"Backspace", keys::kBack}, NamedKey{"Tab", keys::kTab},
    NamedKey{"Enter", keys::kReturn}, NamedKey{"Return", keys::kReturn}, NamedKey{"Pause", keys::kPause},
    NamedKey{"Esc", keys::kEscape},  NamedKey{"Escape", keys::kEscape}, NamedKey{"Space", keys::kSpace},
    NamedKey{"PgUp", keys::kPrior},  NamedKey{"PgDn", keys::kNext},     NamedKey{"End", keys::kEnd},
    NamedKey{"Home", keys::kHome},   NamedKey{"Left", keys::kLeft},     NamedKey{"Up", keys::kUp},
    NamedKey{"Right", keys::kRight}, NamedKey{"Down", keys::kDown},     NamedKey{"Ins", keys::kInsert},
    NamedKey{"Insert", keys::kInsert}, NamedKey{"Del", keys::kDelete},  NamedKey{"Delete", keys::kDelete},
};
constexpr std::array<std::pair<std::string_view, Shift>, 4> kModifiers{{
    {"Shift", Shift::Shift}, {"Ctrl", Shift::Ctrl}, {"Control", Shift::Ctrl}, {"Alt", Shift::Alt}}};

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

std::optional<Key> KeyFromName(std::string_view name) {
  if (name.size() == 1) {
    char c = char(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return Key(c);
    return std::nullopt;
  }
  for (const NamedKey& named : kNamedKeys)
    if (SameText(named.name, name)) return named.key;
  if (name.size() <= 3 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 24 && name[1] != '0') return keys::F(n);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ShortCut> ParseShortCut(std::string_view text) {
  ShortCut result;
  for (;;) {
    size_t plus = text.find('+');
    // A lone "+" at the end would be the key itself; no key of ours is "+".
    if (plus == std::string_view::npos) break;
    std::string_view part = text.substr(0, plus);
    auto found = std::find_if(kModifiers.begin(), kModifiers.end(),
                              [&](const auto& modifier) { return SameText(modifier.first, part); });
    if (found == kModifiers.end()) return std::nullopt;
    result.modifiers = result.modifiers | found->second;
    text.remove_prefix(plus + 1);
  }
  std::optional<Key> key = KeyFromName(text);
  if (!key) return std::nullopt;
  result.key = *key;
  return result;
}

std::string KeyName(Key key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
  if (key >= keys::kF1 && key <= keys::kF24) return "F" + std::to_string(key - keys::kF1 + 1);
  for (const NamedKey& named : kNamedKeys)
    if (named.key == key) return std::string(named.name);
  return {};
}

std::string ShortCutText(const ShortCut& shortCut) {
  std::string text;
  if (Has(shortCut.modifiers, Shift::Shift)) text += "Shift+";
  if (Has(shortCut.modifiers, Shift::Ctrl)) text += "Ctrl+";
  if (Has(shortCut.modifiers, Shift::Alt)) text += "Alt+";
  return text + KeyName(shortCut.key);
}

}  // namespace corvane::gui
