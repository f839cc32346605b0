#include "layout/render/PartialOpacity.h"

#include <algorithm>

namespace vemra {

int AlphaOfOpacity(int opacity) {
  const int o = opacity & 0xFF;  // modulo 256, never negative
  return std::clamp(((100 - o) * 255 + 49) / 100, 0, 255);
}

void BlendConstantAlpha(Bitmap& picture, const Bitmap& background, int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  picture.SetPixelFormat(PixelFormat::pf24bit);
  Bitmap converted;
  const Bitmap* source = &As24Bit(background, converted);
  const int width = std::min(picture.Width(), source->Width());
  const int height = std::min(picture.Height(), source->Height());
  for (int y = 0; y < height; ++y) {
    std::uint8_t* d = picture.Row(y);
    const std::uint8_t* s = source->Row(y);
    for (int i = 0; i < 3 * width; ++i) d[i] = BlendChannel(d[i], s[i], alpha);
  }
}

// Marks the blend and lets messages run on both sides of it.
class LynAlpha::BusyScope {
 public:
  explicit BusyScope(LynAlpha& owner) : owner_(owner) {
    owner_.busy_ = true;
    if (owner_.processMessages) owner_.processMessages();
  }
  ~BusyScope() {
    owner_.busy_ = false;
    if (owner_.processMessages) owner_.processMessages();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  LynAlpha& owner_;
};

void LynAlpha::SaveBackground(Canvas& canvas, const PixelRect& area) {
  saved_.reset();
  Bitmap copy = canvas.CopyArea(area);
  copy.SetPixelFormat(PixelFormat::pf24bit);
  saved_ = std::move(copy);
}

bool LynAlpha::BlendSavedBackground(int opacity, const PixelRect& area, Canvas& canvas) {
  if (!saved_ || busy_) return false;
  // A message handler may discard or replace the copy while we wait.
  const Bitmap background = *saved_;
  BusyScope busy(*this);
  return canvas.AlphaBlend(area, background, AlphaOfOpacity(opacity));
}

bool LynAlpha::BlendBitmaps(int opacity, Bitmap& picture, const Bitmap& background) {
  if (busy_ || picture.Empty() || background.Empty()) return false;
  BusyScope busy(*this);
  BlendConstantAlpha(picture, background, AlphaOfOpacity(opacity));
  return true;
}

void LynAlpha::DiscardBackground() { saved_.reset(); }

const Bitmap* LynAlpha::SavedBackground() const { return saved_ ? &*saved_ : nullptr; }

}  // namespace vemra
