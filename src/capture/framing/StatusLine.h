#pragma once
// The capture dialog's status line: which panels each refresh kind sets
// and with what text. The view calls StatusLineTexts(kind,
// StatusFactsOf(framing, counter.LastCount())) and writes every panel that
// has a value: kind 8 after every new picture, 2 and 1 after every zoom
// step, 3 after colour counting, 9 when live video is shown.
#include <array>
#include <optional>
#include <string>

#include "capture/framing/CaptureFraming.h"

namespace vemra {

enum StatusKind {
  kStatusPictureSize = 0,
  kStatusStoredSize = 1,
  kStatusZoom = 2,
  kStatusColours = 3,
  kStatusAll = 8,
  kStatusClear = 9,
};

// Panels 0 and 2 are laid out with width 0, so they are not visible.
inline constexpr std::array<int, 5> kStatusPanelWidths = {0, 190, 0, 150, 50};
// Nominal print width of a stored picture; gives the resolution shown.
inline constexpr double kPrintWidthMm = 30.0;

struct StatusFacts {
  bool hasPicture = false;
  int pictureWidth = 0;  // Im, in picture pixels
  int pictureHeight = 0;
  ScreenSize frame;
  ScreenSize displayed;
  int colourCount = 0;
};

// Texts (UTF-8) for panels 0-3; a panel without a value keeps its text.
using StatusTexts = std::array<std::optional<std::string>, 4>;

StatusTexts StatusLineTexts(int kind, const StatusFacts& facts);
StatusFacts StatusFactsOf(const CaptureFraming& framing, int colourCount);

}  // namespace vemra
