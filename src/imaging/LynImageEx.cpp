// Picture files: detection, loading by extension then content, saving.
#include "imaging/LynImageEx.h"

#include <cstring>
#include <new>
#include <fstream>
#include <stdexcept>

#include "base/Cp1252.h"
#include "base/FileSystem.h"
#include "base/Text.h"
#include "imaging/PictureBudget.h"
#include "imaging/PictureCodecs.h"
#include "imaging/PictureFileIo.h"

namespace vemra {
namespace {

struct Signature {
  const char* bytes;
  std::size_t length;
  const char* tag;
};

constexpr Signature kSignatures[] = {
    {"BM", 2, "bmp"},           {"\xFF\xD8\xFF\xE0", 4, "jpg"}, {"%PDF-1", 6, "pdf"},
    {"II\x2A\x00", 4, "tif"},   {"MM\x00\x2A", 4, "tif"},
};

std::string FormatOfHead(const std::uint8_t* head, std::size_t length) {
  for (const Signature& s : kSignatures)
    if (length >= s.length && std::memcmp(head, s.bytes, s.length) == 0) return s.tag;
  return {};
}

std::string ExtensionOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot + 1);
}

bool LoadMetafile(const std::vector<std::uint8_t>& bytes, bool enhanced, Bitmap& out) {
  Metafile metafile;
  return ReadMetafile(bytes, enhanced, metafile) && MetafileToBitmap(&metafile, out);
}

bool LoadByExtension(const std::string& extension, const std::vector<std::uint8_t>& bytes,
                     const DrawSize& box, Bitmap& out) {
  const std::string ext = LowerAscii(extension);
  if (ext == "bmp") return ReadBmp(bytes.data(), bytes.size(), out);
  if (ext == "ico") return ReadIco(bytes.data(), bytes.size(), out);
  if (ext == "jpg" || ext == "jpeg") return DecodeJpeg(bytes.data(), bytes.size(), out, box);
  if (ext == "wmf" || ext == "emf") return LoadMetafile(bytes, ext == "emf", out);
  return false;
}

// Second chance for a file whose name lies about its content. A tag equal
// to the extension has already been tried.
bool LoadByContent(const std::string& extension, const std::vector<std::uint8_t>& bytes,
                   const DrawSize& box, Bitmap& out) {
  const std::string tag = FormatOfHead(bytes.data(), bytes.size());
  if (tag.empty() || EqualsNoCaseAscii(tag, extension)) return false;
  if (tag == "bmp") return ReadBmp(bytes.data(), bytes.size(), out);
  if (tag == "jpg") return DecodeJpeg(bytes.data(), bytes.size(), out, box);
  return false;
}

}  // namespace

std::string DetectPictureFormat(const std::string& path) {
  try {
    std::ifstream in(NativePath(path), std::ios::binary);
    std::uint8_t head[6] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    return in.bad() ? std::string() : FormatOfHead(head, std::size_t(in.gcount()));
  } catch (const std::exception&) {
    return {};
  }
}

namespace {

bool Fail(std::string* why, const char* utf8) {
  if (why) *why = Ansi(utf8);
  return false;
}

bool KnownFormat(const std::string& extension, const std::vector<std::uint8_t>& bytes) {
  static const char* const kExtensions[] = {"bmp", "ico", "jpg", "jpeg", "wmf", "emf"};
  for (const char* known : kExtensions)
    if (EqualsNoCaseAscii(extension, known)) return true;
  return !FormatOfHead(bytes.data(), bytes.size()).empty();
}

}  // namespace

bool LoadPictureToBitmap(const std::string& path, Bitmap& target, const DrawSize& box,
                         std::string* why) {
  try {
    const PictureBudgetSubject subject(path);
    std::vector<std::uint8_t> bytes;
    if (!PictureFileExists(path)) return Fail(why, "filen finns inte");
    if (!ReadPictureFile(path, bytes)) return Fail(why, "filen kan inte läsas eller är för stor");
    const std::string extension = ExtensionOf(path);
    Bitmap loaded;
    if (!LoadByExtension(extension, bytes, box, loaded) &&
        !LoadByContent(extension, bytes, box, loaded)) {
      return KnownFormat(extension, bytes) ? Fail(why, "bilden är skadad eller för stor")
                                           : Fail(why, "okänt bildformat");
    }
    target = std::move(loaded);
    return true;
  } catch (const std::bad_alloc&) {
    return Fail(why, "minnet räcker inte");
  } catch (const std::exception&) {
    return Fail(why, "bilden kan inte läsas");
  }
}

bool LoadPictureToImage(Picture& holder, const std::string& path, const DrawSize& box,
                        std::string* why) {
  Bitmap bitmap;
  if (!LoadPictureToBitmap(path, bitmap, box, why)) return false;
  try {
    holder.SetBitmap(std::move(bitmap));
    return true;
  } catch (const std::exception&) {
    return Fail(why, "minnet räcker inte");
  }
}

void SavePictureFile(const Bitmap& bitmap, const std::string& path, int quality) {
  const std::string ext = LowerAscii(ExtensionOf(path));
  std::vector<std::uint8_t> bytes;
  const bool jpeg = ext == "jpg" || ext == "jpeg";
  const bool encoded = jpeg ? EncodeJpeg(bitmap, quality, bytes) : WriteBmp(bitmap, bytes);
  if (!encoded) throw std::runtime_error("Cannot encode picture for " + path);
  WriteFileReplacing(path, bytes);
}

}  // namespace vemra
