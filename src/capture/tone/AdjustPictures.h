#pragma once
// The pictures behind a "Justera" dialog: the visible region it was given,
// the working picture the colour mode made of it, the preview with the
// current settings, the detail lens and the variant thumbnails.
#include <array>

#include "capture/tone/AdjustModel.h"
#include "imaging/Bitmap.h"

namespace vemra {

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

// The largest size of the picture's aspect inside the box: the longer side
// keeps the box's, the other rounds (halves to even), at least 1.
PixelSize FitToAspect(PixelSize box, PixelSize picture);

struct LensRect {
  int left = 0, top = 0, width = 0, height = 0;
};

class AdjustPictures {
 public:
  // `region` is the visible part of the capture dialog's picture, read as
  // 24 bits. The preview is shown at `shown` size. `keepSize` (the full
  // dialog) previews at the region's own size, so that its colour count
  // is the region's; otherwise the preview source is stretched to `shown`.
  // `thumbnail` > 0 makes the nine variants at that size.
  AdjustPictures(const Bitmap& region, PixelSize shown, bool keepSize, PixelSize thumbnail);

  // The working picture from the original region in this colour mode;
  // rebuilds the preview source and the variants.
  void SetColourMode(ColourMode mode);
  // The preview with these settings.
  void Update(const ToneSettings& settings);

  const Bitmap& Working() const { return working_; }
  const Bitmap& Preview() const { return preview_; }  // ImAdj
  // The preview at the shown size, what the dialog paints: a large region
  // is stretched once per colour mode, not on every repaint.
  const Bitmap& ShownPreview() const { return keepSize_ ? shownPreview_ : preview_; }
  const Bitmap& Variant(int index) const { return variants_[std::size_t(index)]; }
  PixelSize Shown() const { return shown_; }

  // The part of the shown preview under the lens, with these settings:
  // what a slider drag recomputes instead of the whole preview. The
  // rectangle is in shown pixels and is kept inside the preview.
  LensRect ClampLens(LensRect lens) const;
  Bitmap Lens(const ToneSettings& settings, LensRect lens) const;

 private:
  void Rebuild();

  Bitmap original_;  // ImColOrg
  Bitmap working_;   // ImRealOrg
  Bitmap source_;    // ImOrg
  Bitmap shownSource_;  // ImOrg at the shown size, for the lens
  Bitmap preview_;
  Bitmap shownPreview_;
  std::array<Bitmap, 9> variants_;
  PixelSize shown_, thumbnail_;
  bool keepSize_;
};

}  // namespace vemra
