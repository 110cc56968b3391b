#pragma once
// The command line of corvane-render.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

struct HeadlessOptions {
  std::string preset;                          // a preset file; empty: the defaults
  std::vector<std::pair<int, double>> sets;    // applied over the preset, in order
  int width = 640;
  int height = 480;
  uint32_t ticks = 300;  // calculation ticks before the first written frame
  uint32_t frames = 1;   // frames written, one tick apart
  uint32_t seed = 1;
  std::string out;
};

// Raises std::invalid_argument with a one-line reason.
HeadlessOptions ParseHeadlessOptions(const std::vector<std::string>& args);

inline constexpr char kHeadlessUsage[] =
    "usage: corvane-render [--preset FILE.cvp] [--set N=VALUE]... [--size WxH] [--ticks N] [--frames K] "
    "[--seed S] --out DIR";

}  // namespace corvane
