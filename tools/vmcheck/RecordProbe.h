#pragma once
// What the drawn checks share: a record's problems and box, and the ink a
// probe canvas saw it draw. Internal to the checker.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "CardFiles.h"
#include "DrawnChecks.h"
#include "ProbeCanvas.h"

namespace vemra {

// Rounding of text measures and of the renderer's own positions.
inline constexpr int kSlackPixels = 1;

inline std::string Millimetres(int pixels) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f mm", pixels * 25.4 / kPrinterDpi);
  return text;
}

inline std::string Quoted(std::string_view value) { return "\"" + std::string(value) + "\""; }

inline PixelRect InkOf(const std::vector<Ink>& inks, Ink::Kind kind, bool& any) {
  PixelRect all{};
  any = false;
  for (const Ink& ink : inks) {
    if (ink.kind != kind) continue;
    all =
        any ? PixelRect{std::min(all.left, ink.area.left), std::min(all.top, ink.area.top),
                        std::max(all.right, ink.area.right), std::max(all.bottom, ink.area.bottom)}
            : ink.area;
    any = true;
  }
  return all;
}

struct Overrun {
  int across, down;
};
inline Overrun OverrunOf(const PixelRect& ink, const PixelRect& box) {
  return {std::max({box.left - ink.left, ink.right - box.right, 0}),
          std::max({box.top - ink.top, ink.bottom - box.bottom, 0})};
}

class RecordCheck {
 public:
  RecordCheck(const LayoutSide& side, std::size_t index, Problems& problems)
      : side_(side), index_(index), problems_(problems), box_(RecordBox(side.list[index])) {}

  const std::string& Record() const { return side_.list[index_]; }
  std::optional<PixelRect> Box() const {
    if (!box_) return std::nullopt;
    return PrinterBox(*box_);
  }
  void Add(std::string key, Severity severity, std::string message) {
    problems_.push_back({side_.name, side_.side, int(index_) + 1, std::move(key), severity,
                         std::move(message), box_});
  }

 private:
  const LayoutSide& side_;
  std::size_t index_;
  Problems& problems_;
  std::optional<MmBox> box_;
};

// Checks of the record each kind draws, from what the probe saw.
void CheckBarcode(RecordCheck& check, const ProbeCanvas& probe, const DrawingServices& services);
// The size a bitmap had before the renderer shrank it to its box.
struct PictureSize {
  int width = 0, height = 0;
};
void CheckPicture(RecordCheck& check, const ProbeCanvas& probe, const DrawingServices& services,
                  const std::vector<std::string>& errors,
                  const std::optional<PictureSize>& shrunkFrom);

}  // namespace vemra
