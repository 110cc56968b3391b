#pragma once
// A console reporter that also prints costs as multiples of their probes
// (a benchmark measured against a simpler pass in the same run), by
// processor time: the machines these run on are shared, which shows in wall
// time far more. With repetitions, the medians are compared.

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
  };
  explicit RatioReporter(std::vector<Ratio> ratios) : ratios_(std::move(ratios)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
        cpuTime_[run.run_name.function_name] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const Ratio& ratio : ratios_) {
      auto cost = cpuTime_.find(ratio.cost), probe = cpuTime_.find(ratio.probe);
      if (cost != cpuTime_.end() && probe != cpuTime_.end() && probe->second > 0)
        std::printf("%s: %.2f\n", ratio.label, cost->second / probe->second);
    }
  }

 private:
  std::vector<Ratio> ratios_;
  std::map<std::string, double> cpuTime_;
};

}  // namespace corvane
