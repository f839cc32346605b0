#pragma once
// Source 2: a TWAIN scanner. The first scan runs before the dialog shows;
// each press of "Scan" scans again.
#include <functional>
#include <string>

#include "capture/session/PictureSource.h"

namespace vemra {

// The scanner as this source needs it; the library binds it to TWAIN
// (PrepareScanner, ScanPicture), tests to fakes.
struct ScannerFunctions {
  // Opens the default source unless open: 0, or the result that refused.
  std::function<int()> prepare;
  // One scan: 0 with a 24-bit picture, 0 with none when the scanner
  // delivered nothing, or a result ScanFailureMessage() explains.
  std::function<int(bool showInterface, Bitmap& out)> scan;
};

class ScannerPictureSource final : public PictureSource {
 public:
  ScannerPictureSource(ScannerFunctions scanner, bool showInterface);

  // Without a first picture the dialog does not open.
  bool Prepare(SourceHost& host) override;
  std::string ButtonCaption() const override;
  // A failed or empty scan keeps the current picture.
  void Capture(SourceHost& host) override;

 private:
  bool Scan(SourceHost& host);

  ScannerFunctions scanner_;
  bool showInterface_;
  bool scanning_ = false;
};

}  // namespace vemra
