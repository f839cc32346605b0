#pragma once
// Lets a costly step (pumping messages, repainting progress) run at most
// once per interval however often it is asked for. Ticks are milliseconds
// from a counter that may wrap (GetTickCount), injected so tests drive it.
#include <cstdint>
#include <functional>

namespace vemra {

class Throttle {
 public:
  using Ticks = std::function<std::uint32_t()>;
  Throttle(std::uint32_t intervalMs, Ticks ticks)
      : interval_(intervalMs), ticks_(std::move(ticks)) {}

  // True when the step should run now; the interval then starts again.
  bool Due() {
    const std::uint32_t now = ticks_();
    if (started_ && std::uint32_t(now - last_) < interval_) return false;
    started_ = true;
    last_ = now;
    return true;
  }
  // The next Due() passes.
  void Reset() { started_ = false; }

 private:
  std::uint32_t interval_;
  Ticks ticks_;
  bool started_ = false;
  std::uint32_t last_ = 0;
};

}  // namespace vemra
