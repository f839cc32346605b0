#include "capture/video/VideoDrivers.h"

namespace vemra {

std::vector<std::string> ListVideoDrivers(const DescribeVideoDriver& describe) {
  std::vector<std::string> entries;
  for (int index = 0; index < kMaxVideoDrivers; ++index) {
    const std::optional<VideoDriverDescription> d = describe(index);
    if (!d) break;
    entries.push_back(d->name + " " + d->version);
  }
  return entries;
}

int ChooseVideoDriver(int index, const DescribeVideoDriver& describe, std::string& name) {
  name.clear();
  if (index < 0 || index >= kMaxVideoDrivers) return kNoVideoDriver;
  const std::optional<VideoDriverDescription> d = describe(index);
  if (!d) return kNoVideoDriver;
  name = d->name;
  return index;
}

}  // namespace vemra
