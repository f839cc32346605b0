#pragma once
// Source 3: a picture file chosen in the open-picture dialog.
#include <functional>
#include <optional>
#include <string>

#include "capture/session/PictureSource.h"

namespace vemra {

enum class PictureLoad { kLoaded, kWrongFormat, kJpegFailed, kBitmapFailed };

// Strictly by extension (case-insensitive): ".jpg"/".jpeg" decode as JPEG,
// ".bmp" as a Windows bitmap; both come out 24-bit. Anything else is the
// wrong format, whatever the file holds.
PictureLoad LoadCapturePicture(const std::string& path, Bitmap& out);

// Loads a picture file, turns it clockwise by 90, 180 or 270 degrees (any
// other angle leaves it), and delivers it fitted; a file that does not
// load is shown as the dialog's message and changes nothing.
void DeliverPictureFile(SourceHost& host, const std::string& path, int rotation);

// The open-picture dialog with the given filter; nothing when cancelled.
using PictureFileChooser = std::function<std::optional<std::string>(const std::string& filter)>;

class FilePictureSource final : public PictureSource {
 public:
  explicit FilePictureSource(PictureFileChooser chooser, int rotationOnLoad = 0);

  // Cancelling the first choice ends the capture; a failed load does not.
  bool Prepare(SourceHost& host) override;
  std::string ButtonCaption() const override;
  // Cancelling keeps the current picture.
  void Capture(SourceHost& host) override;

 private:
  void Open(SourceHost& host, const std::string& path);

  PictureFileChooser chooser_;
  int rotationOnLoad_;
};

}  // namespace vemra
