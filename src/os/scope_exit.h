#pragma once
// Runs an action on every way out of a scope. The action runs in a
// destructor, so it must not raise: one that can catches what it raises.

#include <utility>

namespace corvane {

template <typename Action>
class ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Action action_;
};

}  // namespace corvane
