#pragma once
// Writes layout containers: the layout text and one embedded picture per
// "fim" record, in record order, as the loader registers them.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vemra {

struct EmbeddedPictureFile {
  std::string name;                 // as the fim record's dat writes it
  std::vector<std::uint8_t> bytes;  // a whole JPEG, BMP, WMF or EMF file
};

// Throws std::invalid_argument when a fim record has no picture of its name
// (A-Z folded) or a picture belongs to no fim record: the loader pairs them
// by position, so either would shift every later picture.
std::vector<std::uint8_t> WriteLayoutContainer(std::string_view layoutText,
                                               const std::vector<EmbeddedPictureFile>& pictures);

}  // namespace vemra
