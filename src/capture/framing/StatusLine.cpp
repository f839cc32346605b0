#include "capture/framing/StatusLine.h"

namespace vemra {

StatusTexts StatusLineTexts(int kind, const StatusFacts& facts) {
  StatusTexts texts;
  if (kind == kStatusClear) {
    texts.fill(std::string());
    return texts;
  }
  if (!facts.hasPicture || facts.pictureWidth <= 0 || facts.pictureHeight <= 0 ||
      facts.displayed.width <= 0 || facts.displayed.height <= 0)
    return texts;
  const bool all = kind == kStatusAll;
  if (all || kind == kStatusPictureSize)
    texts[0] = "Orginalstorlek: " + std::to_string(facts.pictureWidth) + " x " +
               std::to_string(facts.pictureHeight);
  if (all || kind == kStatusStoredSize) {
    const double r = double(facts.pictureWidth) / facts.displayed.width;
    const int width = RoundEven(facts.frame.width * r);
    const int height = RoundEven(facts.frame.height * r);
    const int dpi = RoundEven(facts.frame.width * r / (kPrintWidthMm / 25.4));
    texts[1] = "Storlek: " + std::to_string(width) + " x " + std::to_string(height) + " (" +
               std::to_string(dpi) + " dpi)";
  }
  if (all || kind == kStatusZoom)
    texts[2] = "Zoom: " +
               std::to_string(RoundEven(double(facts.displayed.height) / facts.pictureHeight * 100)) +
               "%";
  if (all || kind == kStatusColours)
    texts[3] = facts.colourCount != 0 ? "Färger: " + std::to_string(facts.colourCount)
                                      : std::string();
  return texts;
}

StatusFacts StatusFactsOf(const CaptureFraming& framing, int colourCount) {
  StatusFacts facts;
  facts.hasPicture = framing.HasPicture();
  facts.pictureWidth = framing.Shown().Width();
  facts.pictureHeight = framing.Shown().Height();
  facts.frame = framing.Frame();
  facts.displayed = {framing.Placement().width, framing.Placement().height};
  facts.colourCount = colourCount;
  return facts;
}

}  // namespace vemra
