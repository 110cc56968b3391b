#pragma once
// What a preset is applied to: the drawing thread takes parameter values one
// by one, by number, and routes them to its renderer or calculation thread.

#include <string>

namespace corvane {

class ParamSink {
 public:
  virtual ~ParamSink() = default;
  virtual void SetParam(int number, double value) = 0;
  // The name of a preset applied by name, for a sink that shows it.
  virtual void SetPresetName(const std::string&) {}
};

}  // namespace corvane
