#include "base/TempNames.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <random>

namespace vemra {

std::string UniqueSiblingName(const std::string& path) {
  static const std::uint32_t processTag = [] {
    std::random_device device;
    return std::uint32_t(device());
  }();
  static std::atomic<unsigned> counter{0};
  char tail[32];
  std::snprintf(tail, sizeof tail, ".%08x-%u.tmp", unsigned(processTag), counter++);
  return path + tail;
}

}  // namespace vemra
