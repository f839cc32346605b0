#include "capture/session/CameraPictureSource.h"

#include <utility>

#include "capture/session/FilePictureSource.h"

namespace vemra {

CameraPictureSource::CameraPictureSource(CameraShooter shoot,
                                         std::function<bool(const std::string&)> fileExists)
    : shoot_(std::move(shoot)), fileExists_(std::move(fileExists)) {}

void CameraPictureSource::Capture(SourceHost& host) {
  // The stand-alone program is waited for with the dialog's messages
  // running: a press arriving through them must not start a second shot.
  if (shooting_) return;
  std::optional<CameraShot> shot;
  shooting_ = true;
  try {
    shot = shoot_();
  } catch (...) {
    shooting_ = false;
    throw;
  }
  shooting_ = false;
  if (!shot || shot->file.empty() || !fileExists_(shot->file)) return;
  DeliverPictureFile(host, shot->file, shot->rotation);
}

}  // namespace vemra
