#pragma once
// Metafiles GDI will not take from memory sometimes load from a file: the
// bytes go to HostFolder + "temp" + extension, the general picture loader
// reads them, and the file is deleted.
#include <string>

#include "layout/file/EmbeddedPictures.h"

namespace vemra {

class TempFileMetafileFallback final : public MetafileFallback {
 public:
  explicit TempFileMetafileFallback(std::string hostFolder) : hostFolder_(std::move(hostFolder)) {}
  bool Load(const std::vector<std::uint8_t>& bytes, const std::string& extension,
            Picture& holder) override;

 private:
  std::string hostFolder_;
};

}  // namespace vemra
