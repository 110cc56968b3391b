#include "headless_options.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "figure/preset_params.h"

namespace corvane {
namespace {

[[noreturn]] void Fail(const std::string& reason) { throw std::invalid_argument(reason); }

template <typename Number>
bool ParseWhole(std::string_view text, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

uint32_t ParseCount(const std::string& option, const std::string& text) {
  uint32_t value = 0;
  if (!ParseWhole(std::string_view(text), value)) Fail(option + " needs a whole number, not \"" + text + "\"");
  return value;
}

// N is a parameter number or name.
std::pair<int, double> ParseSet(const std::string& text) {
  size_t equals = text.find('=');
  if (equals == std::string::npos) Fail("--set needs N=VALUE, not \"" + text + "\"");
  std::string name = text.substr(0, equals), value = text.substr(equals + 1);
  int number = 0;
  if (!ParseWhole(std::string_view(name), number)) number = ParamNumber(name);
  if (!FindParam(number)) Fail("no parameter \"" + name + "\" (1..69 or a parameter name)");
  double parsed = 0;
  if (!ParseWhole(std::string_view(value), parsed) || !std::isfinite(parsed))
    Fail("--set " + name + " needs a number, not \"" + value + "\"");
  return {number, parsed};
}

void ParseSize(const std::string& text, HeadlessOptions& options) {
  size_t x = text.find('x');
  constexpr int kMaxSide = 16384;
  if (x == std::string::npos || !ParseWhole(std::string_view(text).substr(0, x), options.width) ||
      !ParseWhole(std::string_view(text).substr(x + 1), options.height) || options.width <= 0 ||
      options.height <= 0 || options.width > kMaxSide || options.height > kMaxSide)
    Fail("--size needs WxH with sides of 1 to 16384 pixels, not \"" + text + "\"");
}

}  // namespace

HeadlessOptions ParseHeadlessOptions(const std::vector<std::string>& args) {
  HeadlessOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option != "--preset" && option != "--set" && option != "--size" && option != "--ticks" &&
        option != "--frames" && option != "--seed" && option != "--out")
      Fail("unknown option \"" + option + "\"");
    if (i + 1 == args.size()) Fail(option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--preset")
      options.preset = value;
    else if (option == "--set")
      options.sets.push_back(ParseSet(value));
    else if (option == "--size")
      ParseSize(value, options);
    else if (option == "--ticks")
      options.ticks = ParseCount(option, value);
    else if (option == "--frames")
      options.frames = ParseCount(option, value);
    else if (option == "--seed")
      options.seed = ParseCount(option, value);
    else
      options.out = value;
  }
  if (options.out.empty()) Fail("--out DIR is required");
  return options;
}

}  // namespace corvane
