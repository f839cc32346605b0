#include "capture/session/FilePictureSource.h"

#include <stdexcept>
#include <vector>

#include "capture/session/CaptureSession.h"
#include "capture/session/CaptureTexts.h"
#include "imaging/PictureCodecs.h"
#include "imaging/PictureFileIo.h"
#include "imaging/Rotate.h"

namespace vemra {
namespace {

std::string LowerExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return ext;
}

}  // namespace

PictureLoad LoadCapturePicture(const std::string& path, Bitmap& out) {
  const std::string ext = LowerExtension(path);
  const bool jpeg = ext == ".jpg" || ext == ".jpeg";
  if (!jpeg && ext != ".bmp") return PictureLoad::kWrongFormat;
  const PictureLoad failed = jpeg ? PictureLoad::kJpegFailed : PictureLoad::kBitmapFailed;
  std::vector<std::uint8_t> bytes;
  if (!ReadPictureFile(path, bytes)) return failed;
  Bitmap picture;
  if (!(jpeg ? DecodeJpeg(bytes.data(), bytes.size(), picture)
             : ReadBmp(bytes.data(), bytes.size(), picture)))
    return failed;
  bytes = {};  // before the conversion asks for more
  picture.SetPixelFormat(PixelFormat::pf24bit);
  out = std::move(picture);
  return PictureLoad::kLoaded;
}

FilePictureSource::FilePictureSource(PictureFileChooser chooser, int rotationOnLoad)
    : chooser_(std::move(chooser)), rotationOnLoad_(rotationOnLoad) {}

bool FilePictureSource::Prepare(SourceHost& host) {
  std::optional<std::string> path = chooser_(capture_texts::kOpenPictureFilter);
  if (!path) return false;
  Open(host, *path);
  return true;
}

std::string FilePictureSource::ButtonCaption() const { return capture_texts::kOpenFileCaption; }

void FilePictureSource::Capture(SourceHost& host) {
  if (std::optional<std::string> path = chooser_(capture_texts::kOpenPictureFilter))
    Open(host, *path);
}

void FilePictureSource::Open(SourceHost& host, const std::string& path) {
  DeliverPictureFile(host, path, rotationOnLoad_);
}

void DeliverPictureFile(SourceHost& host, const std::string& path, int rotation) {
  Bitmap picture;
  try {
    switch (LoadCapturePicture(path, picture)) {
      case PictureLoad::kLoaded: break;
      case PictureLoad::kWrongFormat:
        host.ShowMessage(capture_texts::kWrongFormat, MessageKind::kInformation);
        return;
      case PictureLoad::kJpegFailed:
        host.ShowMessage(capture_texts::kJpegFailed, MessageKind::kError);
        return;
      case PictureLoad::kBitmapFailed:
        host.ShowMessage(capture_texts::kBitmapFailed, MessageKind::kError);
        return;
    }
    RotateBitmapQuarter(rotation, picture);
  } catch (const std::exception& e) {
    if (!IsOutOfMemory(e)) throw;
    host.ShowMessage(capture_texts::kPictureTooLarge, MessageKind::kError);
    return;
  }
  host.DeliverPicture(std::move(picture), true);
}

}  // namespace vemra
