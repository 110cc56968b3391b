// corvane-preset: look at and convert preset files and transfer text.
//   show FILE                  the 69 values as read, in preset-file form
//   to-text FILE               the transfer text of the file
//   from-text TEXT [--out FILE] each cell of the text; with --out, the preset
//                              file, written only when all 69 cells are numbers
//   breed A B --seed N         the child of presets A and B bred with seed N

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "evolve/breeding.h"
#include "presets/preset_text.h"

namespace corvane {
namespace {

constexpr char kUsage[] = "usage: corvane-preset show FILE | to-text FILE | from-text TEXT [--out FILE] | breed A B --seed N";

int Fail(const std::string& message, int status = 1) {
  std::fprintf(stderr, "corvane-preset: %s\n", message.c_str());
  return status;
}

// The file form with the terminal's line ends.
void PrintPresetLines(const TPresetParams& preset) {
  for (int n = 1; n <= kParamCount; ++n)
    std::printf("%s=%s\n", ParamName(n).c_str(), FloatToPresetText(preset.GetValue(n)).c_str());
}

int FromText(const std::string& text, const std::string* out) {
  TransferCells cells = ParseTransferText(text);
  for (int n = 1; n <= kParamCount; ++n)
    std::printf("%s=%s\n", ParamName(n).c_str(), cells[static_cast<size_t>(n - 1)].c_str());
  std::optional<TPresetParams> preset = PresetFromTransferCells(cells);
  if (!preset) {
    int bad = 0;
    for (const std::string& cell : cells) bad += IsPresetNumber(cell) ? 0 : 1;
    return Fail(std::to_string(bad) + " of 69 values are not numbers" + (out ? "; nothing written" : ""));
  }
  if (out) WritePresetFile(*out, *preset);
  return 0;
}

int Breed(const std::string& a, const std::string& b, const std::string& seedText) {
  uint64_t seed = 0;
  const char* end = seedText.data() + seedText.size();
  const auto [ptr, error] = std::from_chars(seedText.data(), end, seed);
  if (seedText.empty() || error != std::errc() || ptr != end) return Fail("the seed is not a whole number: " + seedText, 2);
  PrintPresetLines(BreedChild(ReadPresetFile(a), ReadPresetFile(b), seed));
  return 0;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() == 2 && args[0] == "show") {
    PrintPresetLines(ReadPresetFile(args[1]));
    return 0;
  }
  if (args.size() == 2 && args[0] == "to-text") {
    std::printf("%s\n", BuildTransferText(PresetTransferCells(ReadPresetFile(args[1]))).c_str());
    return 0;
  }
  if (args.size() == 2 && args[0] == "from-text") return FromText(args[1], nullptr);
  if (args.size() == 4 && args[0] == "from-text" && args[2] == "--out") return FromText(args[1], &args[3]);
  if (args.size() == 5 && args[0] == "breed" && args[3] == "--seed") return Breed(args[1], args[2], args[4]);
  return Fail(kUsage, 2);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  try {
    return corvane::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    return corvane::Fail(e.what());
  }
}
