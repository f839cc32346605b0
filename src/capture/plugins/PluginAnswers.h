#pragma once
// What the capture dialog reads from the camera plug-ins' answers.
#include <optional>
#include <string>
#include <string_view>

namespace vemra {

// A connect answer fails when its text before the first ":" is "error",
// in any case ("Error: no camera", "ERROR:"). Anything else connects.
bool IsConnectError(std::string_view answer);

// An angle in degrees brought into -90..270 by one step: 360 added when
// negative, taken off above 270. Only 90, 180 and 270 turn the picture.
int NormalisePluginAngle(int degrees);

// A picture file and the clockwise turn it gets on loading.
struct CameraShot {
  std::string file;
  int rotation = 0;  // normalised
  bool operator==(const CameraShot&) const = default;
};

// Canon and Canon PR: "file<TAB>angle"; an angle that is not a whole
// number, or none, leaves the picture unturned.
CameraShot ParseTabAnswer(std::string_view answer);

// Canon EOS: a key/value list with "Fil" and "Angle" (default 0).
CameraShot ParseEosAnswer(std::string_view answer);

}  // namespace vemra
