#pragma once
// Partial opacity of layout objects: what lay under an object is saved
// before it is drawn and laid back over it with a constant alpha.
#include <functional>
#include <optional>

#include "imaging/Bitmap.h"
#include "layout/render/Canvas.h"

namespace vemra {

// Constant alpha of the background laid over an object of `opacity`
// percent: ((100 - o % 256) * 255 + 49) / 100, truncated, kept within
// 0-255 so that opacities of 101-255 stay opaque instead of wrapping.
int AlphaOfOpacity(int opacity);

// (src * alpha + dst * (255 - alpha) + 127) / 255 per channel: the rounding
// of the platform's constant-alpha blend as measured on its GDI.
inline std::uint8_t BlendChannel(int destination, int source, int alpha) {
  return std::uint8_t((source * alpha + destination * (255 - alpha) + 127) / 255);
}

class LynAlpha {
 public:
  // Copies `area` of the canvas (24 bits), replacing any earlier copy.
  void SaveBackground(Canvas& canvas, const PixelRect& area);
  // Lays the saved copy over `area` of the canvas. False when nothing is
  // saved, a blend is already running or the canvas refuses.
  bool BlendSavedBackground(int opacity, const PixelRect& area, Canvas& canvas);
  // Lays `background` over `picture` from (0, 0), over the part both
  // cover. False while another blend runs or when either is empty.
  bool BlendBitmaps(int opacity, Bitmap& picture, const Bitmap& background);
  void DiscardBackground();
  const Bitmap* SavedBackground() const;

  // Runs queued window messages before and after each blend so that a
  // progress window stays alive; may start another blend, which is refused.
  std::function<void()> processMessages;

 private:
  class BusyScope;
  std::optional<Bitmap> saved_;
  bool busy_ = false;
};

// `background` laid over `picture` in software, over the part both cover.
void BlendConstantAlpha(Bitmap& picture, const Bitmap& background, int alpha);

}  // namespace vemra
