#pragma once
// A console reporter that also prints costs as multiples of their probes
// (a benchmark measured against a simpler pass in the same run), by
// processor time unless asked otherwise: the machines these run on are
// shared, which shows in wall time far more. With repetitions, the medians
// are compared.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  struct Ratio {
    const char* cost;   // benchmark function names
    const char* probe;
    const char* label;  // printed before the ratio
    // Wall time instead: for costs spent on threads other than the
    // benchmark's own, such as the software rasteriser's.
    bool realTime = false;
  };
  explicit RatioReporter(std::vector<Ratio> ratios) : ratios_(std::move(ratios)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
        times_[run.run_name.function_name] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const Ratio& ratio : ratios_) {
      auto cost = times_.find(ratio.cost), probe = times_.find(ratio.probe);
      if (cost == times_.end() || probe == times_.end()) continue;
      const double costTime = ratio.realTime ? cost->second.second : cost->second.first;
      const double probeTime = ratio.realTime ? probe->second.second : probe->second.first;
      if (probeTime > 0) std::printf("%s: %.2f\n", ratio.label, costTime / probeTime);
    }
  }

 private:
  std::vector<Ratio> ratios_;
  std::map<std::string, std::pair<double, double>> times_;  // processor, wall
};

}  // namespace corvane
