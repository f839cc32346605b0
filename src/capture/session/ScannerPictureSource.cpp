#include "capture/session/ScannerPictureSource.h"

#include <utility>

#include "capture/scanner/ScanMessages.h"

namespace vemra {

ScannerPictureSource::ScannerPictureSource(ScannerFunctions scanner, bool showInterface)
    : scanner_(std::move(scanner)), showInterface_(showInterface) {}

bool ScannerPictureSource::Prepare(SourceHost& host) {
  if (scanner_.prepare() != 0) {
    host.ShowMessage(ScanFailureMessage(kScanNoSource), MessageKind::kInformation);
    return false;
  }
  return Scan(host);
}

std::string ScannerPictureSource::ButtonCaption() const { return "Scan"; }

void ScannerPictureSource::Capture(SourceHost& host) { Scan(host); }

bool ScannerPictureSource::Scan(SourceHost& host) {
  // The acquisition pumps the dialog's messages: a second press of "Scan"
  // arriving through them must not start a scan inside the running one.
  if (scanning_) return false;
  struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
  } busy(scanning_);

  Bitmap picture;
  const int result = scanner_.scan(showInterface_, picture);
  if (result != 0) {
    host.ShowMessage(ScanFailureMessage(result), MessageKind::kInformation);
    return false;
  }
  // The scanner had nothing to give: nothing to say either.
  if (picture.Empty()) return false;
  host.DeliverPicture(std::move(picture), true);
  return true;
}

}  // namespace vemra
