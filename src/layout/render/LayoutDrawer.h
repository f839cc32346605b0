#pragma once
// What the print job asks of the renderer: draw layout lists onto one
// output during one job.
#include "layout/render/Canvas.h"
#include "layout/file/LayoutFile.h"

namespace vemra {

enum class OutputKind { Preview = 1, Printer = 2 };

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

class LayoutDrawer {
 public:
  virtual ~LayoutDrawer() = default;
  // Starts a job on `output`: pixels per millimetre from its LOGPIXELS,
  // `scale` (1 printing, 0.5 preview), job extents and margin-text flag
  // cleared.
  virtual void BeginJob(Canvas& output, OutputKind kind, double scale) = 0;
  // Draws every record of `list`, the card turned by `cardAngle` (0, 90,
  // 180, 270) and moved by the offsets in millimetres.
  virtual void DrawLayoutList(const LayoutList& list, int cardAngle, double xOffsetMm,
                              double yOffsetMm) = 0;
  // The widest and tallest card drawn so far in this job, in pixels.
  virtual PixelSize JobExtents() const = 0;
};

}  // namespace vemra
