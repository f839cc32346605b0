#pragma once
// Sources 41, 42 and 43: a camera plug-in takes the picture and names the
// file it wrote, with the angle to turn it by.
#include <functional>
#include <optional>
#include <string>

#include "capture/plugins/PluginAnswers.h"
#include "capture/session/PictureSource.h"

namespace vemra {

// One press of "Canon": the plug-in's shot, or nothing when it brought none.
using CameraShooter = std::function<std::optional<CameraShot>()>;

class CameraPictureSource final : public PictureSource {
 public:
  CameraPictureSource(CameraShooter shoot, std::function<bool(const std::string&)> fileExists);

  // The dialog opens with an empty frame; the first press takes the picture.
  bool Prepare(SourceHost&) override { return true; }
  std::string ButtonCaption() const override { return "Canon"; }
  // A shot without an existing file changes nothing.
  void Capture(SourceHost& host) override;

 private:
  CameraShooter shoot_;
  std::function<bool(const std::string&)> fileExists_;
  bool shooting_ = false;
};

}  // namespace vemra
