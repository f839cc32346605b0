#include "layout/file/LayoutContainerWriter.h"

#include "base/Text.h"
#include "layout/file/LayoutFile.h"
#include "layout/file/LayoutLines.h"

namespace vemra {
namespace {

const EmbeddedPictureFile& PictureNamed(const std::vector<EmbeddedPictureFile>& pictures,
                                        const std::string& name) {
  for (const auto& picture : pictures)
    if (EqualsNoCaseAscii(picture.name, name)) return picture;
  throw std::invalid_argument("no embedded picture for the fim record '" + name + "'");
}

}  // namespace

std::vector<std::uint8_t> WriteLayoutContainer(std::string_view layoutText,
                                               const std::vector<EmbeddedPictureFile>& pictures) {
  auto names = FixedImageNames(SplitTextLines(layoutText));
  for (const auto& picture : pictures) {
    bool used = false;
    for (const auto& name : names) used = used || EqualsNoCaseAscii(name, picture.name);
    if (!used) throw std::invalid_argument("no fim record for the picture '" + picture.name + "'");
  }
  std::string header = std::to_string(layoutText.size());
  std::vector<const EmbeddedPictureFile*> ordered;
  for (const auto& name : names) {
    ordered.push_back(&PictureNamed(pictures, name));
    header += '\t' + std::to_string(ordered.back()->bytes.size());
  }
  std::vector<std::uint8_t> out(header.begin(), header.end());
  out.push_back(kContainerSeparator);
  out.insert(out.end(), layoutText.begin(), layoutText.end());
  for (const auto* picture : ordered) out.insert(out.end(), picture->bytes.begin(), picture->bytes.end());
  return out;
}

}  // namespace vemra
