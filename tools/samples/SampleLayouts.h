#pragma once
// The sample card layouts: an EU parking permit ("vemraeu.cpb") and the
// older municipal card ("ortex.cpb"), each with a back side.
#include <string>
#include <vector>

#include "layout/file/LayoutContainerWriter.h"

namespace vemra::samples {

struct LayoutFileBytes {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// Every file of the sample data folder: the four layouts and the demo
// municipality's logo "0180logo.jpg".
std::vector<LayoutFileBytes> SampleFiles();

}  // namespace vemra::samples
