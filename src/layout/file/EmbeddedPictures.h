#pragma once
// Pictures embedded in layout containers, decoded by their name's extension.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/Picture.h"
#include "imaging/PictureCodecs.h"
#include "layout/file/PictureStore.h"

namespace vemra {

// A metafile the portable reader rejects gets a second chance through the
// platform (on Windows: a temporary file and the general picture loader).
class MetafileFallback {
 public:
  virtual ~MetafileFallback() = default;
  // `extension` is ".wmf" or ".emf".
  virtual bool Load(const std::vector<std::uint8_t>& bytes, const std::string& extension,
                    Picture& holder) = 0;
};

// Makes the picture of that name the store's current picture.
bool FindEmbeddedPicture(PictureStore& store, std::string_view name);

// Decodes the current picture into `holder`: .jpg/.jpeg as a 24-bit bitmap,
// .bmp as a bitmap, .wmf/.emf as a metafile. False for an empty or damaged
// picture and for other extensions; the caller reports
// "Failed to open " + name. A JPEG comes at the smallest scale that covers
// `box`.
bool LoadEmbeddedPicture(const PictureStore& store, Picture& holder, std::string_view name,
                         MetafileFallback* fallback = nullptr, const DrawSize& box = {});

}  // namespace vemra
