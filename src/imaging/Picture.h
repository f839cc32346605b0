#pragma once
// A picture holder: exactly one graphic, a raster bitmap or a Windows
// metafile kept as vectors (its file bytes; drawn by the platform).
#include <memory>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace vemra {

struct Metafile {
  bool enhanced = false;            // EMF, else WMF (placeable or plain)
  std::vector<std::uint8_t> bytes;  // the file's contents
  int widthPixels = 0;              // natural size at screen resolution
  int heightPixels = 0;
};

class Picture {
 public:
  bool Empty() const { return !bitmap_ && !metafile_; }
  void Clear() { bitmap_.reset(); metafile_.reset(); }

  void SetBitmap(Bitmap bitmap) {
    metafile_.reset();
    bitmap_ = std::make_shared<Bitmap>(std::move(bitmap));
  }
  void SetMetafile(Metafile metafile) {
    bitmap_.reset();
    metafile_ = std::make_shared<Metafile>(std::move(metafile));
  }

  const Bitmap* AsBitmap() const { return bitmap_.get(); }
  Bitmap* AsBitmap() { return bitmap_.get(); }
  const Metafile* AsMetafile() const { return metafile_.get(); }

 private:
  std::shared_ptr<Bitmap> bitmap_;
  std::shared_ptr<Metafile> metafile_;
};

}  // namespace vemra
