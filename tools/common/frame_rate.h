#pragma once
// The frame-rate measurement the window tools share: one-second spells of
// serving the window, each ended by reading the drawing thread's status
// text, whose "FPS : n" counts the frames since the previous reading.

#include <functional>
#include <numeric>
#include <regex>
#include <string>
#include <vector>

#include "os/clock.h"

namespace corvane {

struct FrameRate {
  double framesPerSecond = 0;
  std::string lastStatus;
};

inline int FramesOf(const std::string& status) {
  std::smatch match;
  return std::regex_search(status, match, std::regex("^FPS : (\\d+)")) ? std::stoi(match[1]) : 0;
}

// `serve` runs the window for the given milliseconds; `status` reads the
// status text. The count is started by a reading before the first spell.
inline FrameRate MeasureFrameRate(int seconds, const std::function<void(double ms)>& serve,
                                  const std::function<std::string()>& status) {
  status();
  std::vector<double> rates;
  FrameRate result;
  for (int second = 0; second < seconds; ++second) {
    const double start = MilliClock();
    serve(1000);
    result.lastStatus = status();
    rates.push_back(FramesOf(result.lastStatus) * 1000.0 / (MilliClock() - start));
  }
  if (!rates.empty()) result.framesPerSecond = std::accumulate(rates.begin(), rates.end(), 0.0) / rates.size();
  return result;
}

}  // namespace corvane
