#include "capture/session/CameraPictureSource.h"

#include <utility>

#include "base/ScopeExit.h"
#include "capture/session/FilePictureSource.h"

namespace vemra {

CameraPictureSource::CameraPictureSource(CameraShooter shoot,
                                         std::function<bool(const std::string&)> fileExists)
    : shoot_(std::move(shoot)), fileExists_(std::move(fileExists)) {}

void CameraPictureSource::Capture(SourceHost& host) {
  // The stand-alone program is waited for with the dialog's messages
  // running: a press arriving through them must not start a second shot.
  if (shooting_) return;
  shooting_ = true;
  const std::optional<CameraShot> shot = [this] {
    ScopeExit done([this] { shooting_ = false; });
    return shoot_();
  }();
  if (!shot || shot->file.empty() || !fileExists_(shot->file)) return;
  DeliverPictureFile(host, shot->file, shot->rotation);
}

}  // namespace vemra
