#include "capture/tone/AdjustPictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/PixelRows.h"
#include "imaging/Resample.h"

namespace vemra {
namespace {

Bitmap Stretched(const Bitmap& source, PixelSize size) {
  if (source.Width() == size.width && source.Height() == size.height) return source;
  Bitmap out(size.width, size.height);
  if (!source.Empty()) ResampleBitmap(source, out, kFilterTriangle);
  return out;
}

Bitmap Crop(const Bitmap& source, const LensRect& r) {
  Bitmap out(r.width, r.height);
  for (int y = 0; y < r.height; ++y)
    std::copy_n(source.Row(r.top + y) + 3 * r.left, 3 * r.width, out.Row(y));
  return out;
}

}  // namespace

PixelSize FitToAspect(PixelSize box, PixelSize picture) {
  if (picture.width <= 0 || picture.height <= 0) return box;
  const double scale = std::min(double(box.width) / picture.width, double(box.height) / picture.height);
  return {std::max(1, int(std::nearbyint(picture.width * scale))),
          std::max(1, int(std::nearbyint(picture.height * scale)))};
}

AdjustPictures::AdjustPictures(const Bitmap& region, PixelSize shown, bool keepSize, PixelSize thumbnail)
    : original_(As24Bit(region)), shown_(shown), thumbnail_(thumbnail), keepSize_(keepSize) {
  shown_.width = std::max(1, shown_.width);
  shown_.height = std::max(1, shown_.height);
  SetColourMode(ColourMode::kNone);
}

void AdjustPictures::SetColourMode(ColourMode mode) {
  // Always from the original region, so that the preview shows what the
  // capture dialog gets when it applies this mode and then the settings.
  working_ = original_;
  if (mode == ColourMode::kGreyScale) GreyScalePicture(working_);
  if (mode == ColourMode::kHistogramContrast) HistogramContrast(working_);
  Rebuild();
}

void AdjustPictures::Rebuild() {
  source_ = keepSize_ ? working_ : Stretched(working_, shown_);
  shownSource_ = Stretched(source_, shown_);
  if (thumbnail_.width > 0 && thumbnail_.height > 0) {
    const Bitmap small = Stretched(source_, thumbnail_);
    for (std::size_t i = 0; i < variants_.size(); ++i)
      ApplyToneSettings(small, variants_[i], {kToneVariants[i].brightness, kToneVariants[i].contrast, 0, 0, 0});
  }
}

void AdjustPictures::Update(const ToneSettings& settings) {
  ApplyToneSettings(source_, preview_, settings);
  if (keepSize_) ApplyToneSettings(shownSource_, shownPreview_, settings);
}

LensRect AdjustPictures::ClampLens(LensRect lens) const {
  lens.width = std::clamp(lens.width, 1, shown_.width);
  lens.height = std::clamp(lens.height, 1, shown_.height);
  lens.left = std::clamp(lens.left, 0, shown_.width - lens.width);
  lens.top = std::clamp(lens.top, 0, shown_.height - lens.height);
  return lens;
}

Bitmap AdjustPictures::Lens(const ToneSettings& settings, LensRect lens) const {
  Bitmap part = Crop(shownSource_, ClampLens(lens));
  ApplyToneSettings(part, part, settings);
  return part;
}

}  // namespace vemra
