#include "layout/file/EmbeddedPictures.h"

#include "base/Text.h"
#include "imaging/PictureBudget.h"
#include "imaging/PictureCodecs.h"
#include "layout/file/MetafileHeader.h"

namespace vemra {
namespace {

std::string LowerExtension(std::string_view name) {
  auto dot = name.find_last_of('.');
  if (dot == std::string_view::npos || name.find_first_of("\\:", dot) != std::string_view::npos)
    return {};
  return LowerAscii(name.substr(dot));
}

}  // namespace

bool FindEmbeddedPicture(PictureStore& store, std::string_view name) { return store.Find(name); }

bool LoadEmbeddedPicture(const PictureStore& store, Picture& holder, std::string_view name,
                         MetafileFallback* fallback, const DrawSize& box) {
  const auto& bytes = store.Current();
  if (bytes.empty()) return false;
  std::string extension = LowerExtension(name);
  if (extension == ".jpg" || extension == ".jpeg" || extension == ".bmp") {
    Bitmap bitmap;
    bool jpeg = extension != ".bmp";
    const PictureBudgetSubject subject{std::string(name)};
    if (!(jpeg ? DecodeJpeg(bytes.data(), bytes.size(), bitmap, box)
               : ReadBmp(bytes.data(), bytes.size(), bitmap)))
      return false;
    if (jpeg) bitmap.SetPixelFormat(PixelFormat::pf24bit);
    holder.SetBitmap(std::move(bitmap));
    return true;
  }
  if (extension == ".wmf" || extension == ".emf") {
    Metafile metafile;
    if (ReadMetafileHeader(bytes.data(), bytes.size(), metafile)) {
      holder.SetMetafile(std::move(metafile));
      return true;
    }
    return fallback && fallback->Load(bytes, extension, holder);
  }
  return false;
}

}  // namespace vemra
