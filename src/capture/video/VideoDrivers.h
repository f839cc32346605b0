#pragma once
// The installed Video for Windows drivers as the "Driver" menu lists them.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vemra {

inline constexpr int kNoVideoDriver = -1;
inline constexpr int kMaxVideoDrivers = 10;  // indexes 0..9

struct VideoDriverDescription {
  std::string name;
  std::string version;
};

// What the system says of the driver at an index, or nothing.
using DescribeVideoDriver = std::function<std::optional<VideoDriverDescription>(int index)>;

// "name version" for indexes 0.. up to the first without a driver.
std::vector<std::string> ListVideoDrivers(const DescribeVideoDriver& describe);

// A driver index as the capture control keeps it: one with a driver, or
// kNoVideoDriver; `name` gets the driver's name (empty without one).
int ChooseVideoDriver(int index, const DescribeVideoDriver& describe, std::string& name);

}  // namespace vemra
