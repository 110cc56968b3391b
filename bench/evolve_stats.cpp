// evolve-stats: how often bred children pass their checks. Breeds children
// of random pairs of the presets in a folder and prints the share passing at
// the first try, the share shown after retries and why the first tries
// failed; with --gallery, the measures of every preset in the folder; with
// --write, every preset shown as a file "A x B seed S.cvp" in DIR.
//   evolve-stats PRESETS_DIR [--children N] [--seed S] [--gallery] [--write DIR]

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "evolve/breeding.h"
#include "evolve/child_checks.h"
#include "figure/kernels.h"
#include "presets/preset_text.h"

namespace corvane {
namespace {

struct Preset {
  std::string name;
  TPresetParams params;
};

std::vector<Preset> ReadFolder(const std::string& folder) {
  std::vector<Preset> presets;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".cvp")
      presets.push_back({entry.path().stem().string(), ReadPresetFile(entry.path().string())});
  std::sort(presets.begin(), presets.end(), [](const Preset& a, const Preset& b) { return a.name < b.name; });
  return presets;
}

void PrintMeasures(const std::string& name, const ChildMeasures& m) {
  std::printf("%-20s points %7llu  inside %.3f  coverage %.3f  change %.3f  %s\n", name.c_str(),
              static_cast<unsigned long long>(m.points), m.inside, m.coverage, m.change,
              VerdictName(JudgeChild(m)));
}

void Children(const std::vector<Preset>& presets, int children, uint64_t seed, const std::string& write) {
  BreedRandom pick(seed);
  const auto count = static_cast<uint32_t>(presets.size());
  int firstTry = 0, shown = 0, attempts = 0;
  std::array<int, 6> firstVerdicts{};
  for (int i = 0; i < children; ++i) {
    const uint32_t a = pick.Below(count), b = (a + 1 + pick.Below(count - 1)) % count;
    const uint64_t childSeed = pick.Below(1000000);
    const ChildVerdict verdict =
        JudgeChild(MeasureChild(BreedChild(presets[a].params, presets[b].params, childSeed)));
    ++firstVerdicts[static_cast<size_t>(verdict)];
    const ShownPreset result = BreedShownChild(presets[a].params, presets[b].params, childSeed);
    firstTry += verdict == ChildVerdict::Shown ? 1 : 0;
    shown += result.isChild ? 1 : 0;
    attempts += result.attempts;
    if (!write.empty()) {
      const std::string name = result.isChild ? presets[a].name + " x " + presets[b].name + " seed " +
                                                    std::to_string(result.seed)
                                              : presets[a].name;
      WritePresetFile((std::filesystem::path(write) / (name + ".cvp")).string(), result.preset);
    }
  }
  std::printf("children of random pairs of %u presets: %d (seed %llu)\n", count, children,
              static_cast<unsigned long long>(seed));
  std::printf("passing at the first try: %.1f %%\n", 100.0 * firstTry / children);
  std::printf("shown after at most %d tries: %.1f %% (a parent shown for the rest)\n", kBreedAttempts,
              100.0 * shown / children);
  std::printf("children bred per showing: %.2f\n", static_cast<double>(attempts) / children);
  std::printf("first tries:");
  for (size_t v = 0; v < firstVerdicts.size(); ++v)
    std::printf(" %s %d%s", VerdictName(static_cast<ChildVerdict>(v)), firstVerdicts[v],
                v + 1 < firstVerdicts.size() ? "," : "\n");
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: evolve-stats PRESETS_DIR [--children N] [--seed S] [--gallery] [--write DIR]\n");
    return 2;
  }
  int children = 500;
  uint64_t seed = 1;
  bool gallery = false;
  std::string write;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--gallery") gallery = true;
    else if (arg == "--children" && i + 1 < argc) children = std::stoi(argv[++i]);
    else if (arg == "--seed" && i + 1 < argc) seed = std::stoull(argv[++i]);
    else if (arg == "--write" && i + 1 < argc) write = argv[++i];
    else {
      std::fprintf(stderr, "evolve-stats: unknown option %s\n", arg.c_str());
      return 2;
    }
  }
  const std::vector<Preset> presets = ReadFolder(argv[1]);
  if (presets.size() < 2) {
    std::fprintf(stderr, "evolve-stats: fewer than two presets in %s\n", argv[1]);
    return 1;
  }
  if (gallery)
    for (const Preset& p : presets) PrintMeasures(p.name, MeasureChild(p.params));
  if (children > 0) Children(presets, children, seed, write);
  return 0;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  corvane::InitNumericKernels();
  try {
    return corvane::Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "evolve-stats: %s\n", e.what());
    return 1;
  }
}
