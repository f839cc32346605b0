#include "capture/video/VideoFitting.h"

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vemra {

namespace {
bool Usable(ScreenSize s) { return s.width > 0 && s.height > 0; }
}  // namespace

ScreenSize FitProportionally(ScreenSize video, ScreenSize panel) {
  if (!Usable(video)) return panel;
  const double aspect = double(video.width) / video.height;
  if (double(panel.width) / panel.height > aspect)
    return {RoundEven(aspect * panel.height), panel.height};
  return {panel.width, RoundEven(panel.width / aspect)};
}

ScreenSize FitVideoWindow(ScreenSize window, ScreenSize video) {
  if (!Usable(video) || !Usable(window)) return window;
  // Compared crosswise: no rounding makes equal aspects differ.
  if (std::int64_t(window.width) * video.height == std::int64_t(window.height) * video.width)
    return window;
  if (double(video.height) / window.height >= double(video.width) / window.width)
    return {RoundEven(double(window.height) * video.width / video.height), window.height};
  return {window.width, RoundEven(double(window.width) * video.height / video.width)};
}

ScreenSize ParseVideoFormat(const std::string& text) {
  const std::size_t at = text.find(" x ");
  if (at == std::string::npos) return {};
  auto number = [](const std::string& part) {
    char* end = nullptr;
    const long value = std::strtol(part.c_str(), &end, 10);
    return end && *end == '\0' && !part.empty() && value > 0 && value < 100000 ? int(value) : 0;
  };
  return {number(text.substr(0, at)), number(text.substr(at + 3))};
}

std::string VideoFormatText(int width, int height) {
  char text[32];
  std::snprintf(text, sizeof text, "%d x %d", width, height);
  return text;
}

int PreviewIntervalMs(int framesPerSecond) {
  return RoundEven(1000.0 / std::clamp(framesPerSecond, 1, 30));
}

ScreenSize FrozenDisplaySize(ScreenSize picture, ScreenSize liveArea, ScreenSize frame) {
  if (!Usable(picture)) return {};
  double scale = 1.0;
  if (Usable(liveArea))
    scale = std::min(double(liveArea.width) / picture.width, double(liveArea.height) / picture.height);
  scale = std::max({scale, double(frame.width) / picture.width, double(frame.height) / picture.height});
  return {std::max(1, int(std::ceil(picture.width * scale - 1e-9))),
          std::max(1, int(std::ceil(picture.height * scale - 1e-9)))};
}

}  // namespace vemra
