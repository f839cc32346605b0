#include "capture/video/CaptureOverlayModel.h"

#include <algorithm>
#include <cstdio>

namespace vemra {

std::string ColourItemText(int index) {
  if (index <= 0) return kNoColourItem;
  if (index >= kChooseColourIndex) return kChooseColourItem;
  return kOverlayColours[std::size_t(index - kFirstNamedColourItem)].name;
}

ColourItemKind KindOfColourItem(const std::string& text) {
  if (!text.empty() && (text[0] == '(' || text[0] == '#' || text[0] == '_'))
    return ColourItemKind::kNone;
  if (text.find("...") != std::string::npos) return ColourItemKind::kChoose;
  return ColourItemKind::kNamed;
}

std::string HexText(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", c.red, c.green, c.blue);
  return text;
}

Rgb ParseHex(const std::string& text) {
  unsigned r = 0, g = 0, b = 0;
  if (text.size() != 6 || std::sscanf(text.c_str(), "%2x%2x%2x", &r, &g, &b) != 3) return {};
  return {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
}

int AlphaForOpacity(int percent) {
  const int alpha = RoundEven(std::clamp(percent, 0, 100) / 100.0 * 256) - 1;
  return std::clamp(alpha, 0, 255);
}

int OpacityForAlpha(int alpha) { return RoundEven((std::clamp(alpha, 0, 255) + 1) / 256.0 * 100); }

std::string OpacityLabel(int percent) { return "Opacitet: " + std::to_string(percent) + "%"; }

ScreenRect OverlayClearRect(ScreenSize window, ScreenSize frame) {
  return {(window.width - frame.width) / 2, (window.height - frame.height) / 2, frame.width,
          frame.height};
}

OverlaySettingsModel::OverlaySettingsModel(OverlayLook start)
    : original_(start), look_(start), position_(OpacityForAlpha(start.alpha)) {
  selected_ = kChooseColourIndex;
  for (std::size_t i = 0; i < kOverlayColours.size(); ++i)
    if (kOverlayColours[i].colour == start.colour) selected_ = kFirstNamedColourItem + int(i);
  chosenHex_ = HexText(start.colour);
}

OverlaySettingsModel::Pick OverlaySettingsModel::PickItem(int index) {
  if (index < 0 || index >= kColourItemCount) return Pick::kUnchanged;
  selected_ = index;
  switch (KindOfColourItem(ColourItemText(index))) {
    case ColourItemKind::kNone: return Pick::kUnchanged;
    case ColourItemKind::kChoose: return Pick::kAskColour;
    case ColourItemKind::kNamed: break;
  }
  look_.colour = kOverlayColours[std::size_t(index - kFirstNamedColourItem)].colour;
  return Pick::kApplied;
}

void OverlaySettingsModel::ColourChosen(Rgb colour) {
  look_.colour = colour;
  chosenHex_ = HexText(colour);
}

void OverlaySettingsModel::MoveTrackBar(int percent) {
  position_ = std::clamp(percent, 0, 100);
  look_.alpha = AlphaForOpacity(position_);
}

}  // namespace vemra
