#include "capture/plugins/PluginAnswers.h"

#include <charconv>

#include "base/KeyValueList.h"
#include "base/Text.h"

namespace vemra {
namespace {

// A whole decimal number with an optional sign and blanks around it.
std::optional<int> WholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return number;
}

}  // namespace

bool IsConnectError(std::string_view answer) {
  const std::size_t colon = answer.find(':');
  if (colon == std::string_view::npos) return false;
  return EqualsNoCaseAscii(answer.substr(0, colon), "error");
}

int NormalisePluginAngle(int degrees) {
  if (degrees < 0) return degrees + 360;
  if (degrees > 270) return degrees - 360;
  return degrees;
}

CameraShot ParseTabAnswer(std::string_view answer) {
  const std::size_t tab = answer.find('\t');
  CameraShot shot{std::string(answer.substr(0, tab))};
  if (tab == std::string_view::npos) return shot;
  std::string_view angle = answer.substr(tab + 1);
  angle = angle.substr(0, angle.find('\t'));
  if (std::optional<int> degrees = WholeNumber(angle))
    shot.rotation = NormalisePluginAngle(*degrees);
  return shot;
}

CameraShot ParseEosAnswer(std::string_view answer) {
  const KeyValueList list = KeyValueList::Parse(answer);
  return CameraShot{list.Value("Fil"), NormalisePluginAngle(list.IntValue("Angle").value_or(0))};
}

}  // namespace vemra
