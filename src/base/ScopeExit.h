#pragma once
// Runs a clean-up when the scope ends, however it ends: returned, or left
// by any exception.
#include <utility>

namespace vemra {

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ~ScopeExit() { f_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F f_;
};

}  // namespace vemra
