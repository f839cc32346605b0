#pragma once
// Metafiles GDI will not take from memory sometimes load from a file: the
// bytes go to a file of their own in the user's temporary folder, the
// general picture loader reads them, and that file alone is deleted. A
// fixed name in the host folder would overwrite a user's file.
#include <string>

#include "layout/file/EmbeddedPictures.h"

namespace vemra {

class TempFileMetafileFallback final : public MetafileFallback {
 public:
  bool Load(const std::vector<std::uint8_t>& bytes, const std::string& extension,
            Picture& holder) override;
};

// A new, empty file "<temp>\vemra-<n><extension>" created for us alone;
// empty when none can be made.
std::string CreateUniqueTempFile(const std::string& extension);

}  // namespace vemra
