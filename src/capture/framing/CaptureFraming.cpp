#include "capture/framing/CaptureFraming.h"

#include <algorithm>
#include <cmath>

#include "capture/framing/FreeRotation.h"
#include "capture/framing/PixelBlocks.h"
#include "imaging/PictureLimits.h"

namespace vemra {
namespace {

bool SplitsSheet(int position) { return position >= 1 && position <= 99; }

int PaddedSide(int side, double factor) {
  return factor > 0 ? RoundEven(side / factor) : RoundEven(side * -factor);
}

}  // namespace

CaptureFraming::CaptureFraming() = default;

void CaptureFraming::SetFrame(ScreenSize frame) {
  if (frame.width <= 0 || frame.height <= 0 || frame == frame_) return;
  frame_ = frame;
  if (HasPicture()) FitAgain();
}

void CaptureFraming::SetSplit(int position, bool vertical) {
  splitPosition_ = SplitsSheet(position) || position == 100 ? position : 0;
  splitVertical_ = vertical;
}

void CaptureFraming::SetToneApplier(ToneApplier apply) { tone_ = std::move(apply); }

void CaptureFraming::ShowFromCopy() {
  if (!tone_) {
    shown_ = copy_;
    return;
  }
  if (shown_.Format() != PixelFormat::pf24bit) shown_ = Bitmap();
  shown_.SetSize(copy_.Width(), copy_.Height());
  tone_(copy_, shown_);
}

void CaptureFraming::ReapplyTone() {
  if (HasPicture()) ShowFromCopy();
}

void CaptureFraming::KeepSheet() {
  if (SplitsSheet(splitPosition_)) {
    keep_ = copy_;
    // The part is taken from the sheet itself, so that a later refit of a
    // rotated or padded picture cannot change what the next run gets.
    const int p = splitPosition_;
    partExtent_ = splitVertical_
                      ? ScreenSize{RoundEven(keep_.Width() * p / 100.0), keep_.Height()}
                      : ScreenSize{keep_.Width(), RoundEven(keep_.Height() * p / 100.0)};
  } else if (splitPosition_ == 0) {
    partExtent_ = {};
  }
}

void CaptureFraming::SetPicture(Bitmap picture, bool fit, ScreenSize shown) {
  if (picture.Empty()) return;
  picture.SetPixelFormat(PixelFormat::pf24bit);
  copy_ = std::move(picture);
  orgRot_ = copy_;
  cutUndo_ = Bitmap();
  angle_ = 0;
  ShowFromCopy();
  KeepSheet();
  if (fit) {
    Fit();
  } else {
    const bool given = shown.width > 0 && shown.height > 0;
    placement_.width = given ? shown.width : copy_.Width();
    placement_.height = given ? shown.height : copy_.Height();
  }
  Place();
  EnsureCover();
}

void CaptureFraming::ClearPicture() {
  copy_ = Bitmap();
  orgRot_ = Bitmap();
  shown_ = Bitmap();
  cutUndo_ = Bitmap();
  angle_ = 0;
}

bool CaptureFraming::ShowKeptSheet() {
  if (keep_.Empty()) return false;
  SetPicture(keep_, true);
  return true;
}

void CaptureFraming::AdoptCorrected(Bitmap corrected) {
  if (corrected.Empty()) return;
  corrected.SetPixelFormat(PixelFormat::pf24bit);
  const bool sameSize =
      corrected.Width() == copy_.Width() && corrected.Height() == copy_.Height();
  copy_ = std::move(corrected);
  orgRot_ = copy_;
  cutUndo_ = Bitmap();
  angle_ = 0;
  ShowFromCopy();
  if (!sameSize) FitAgain();
}

void CaptureFraming::BakeTone(const std::function<void(Bitmap&)>& change) {
  if (!HasPicture()) return;
  // Changed copies first, swapped in together: a change that throws (no
  // memory) leaves all three pictures as they were.
  Bitmap copy = copy_, orgRot = orgRot_, undo = cutUndo_;
  change(copy);
  if (!orgRot.Empty()) change(orgRot);
  if (!undo.Empty()) change(undo);
  copy_ = std::move(copy);
  orgRot_ = std::move(orgRot);
  cutUndo_ = std::move(undo);
  ShowFromCopy();
}

// The split as it applies to the current picture: a remainder run without
// a usable remembered part frames the whole picture.
int CaptureFraming::EffectiveSplit() const {
  if (splitPosition_ != 100) return splitPosition_;
  const ScreenSize part = partExtent_;
  if (part.width <= 0 || part.height <= 0) return 0;
  const int rest = splitVertical_ ? copy_.Width() - part.width : copy_.Height() - part.height;
  return rest > 0 ? 100 : 0;
}

void CaptureFraming::Fit() {
  const int w = copy_.Width();
  const int h = copy_.Height();
  double partW = w, partH = h;
  const int split = EffectiveSplit();
  if (SplitsSheet(split)) {
    if (splitVertical_)
      partW = RoundEven(w * split / 100.0);
    else
      partH = RoundEven(h * split / 100.0);
  } else if (split == 100) {
    if (splitVertical_) {
      partW = w - partExtent_.width;
      partH = partExtent_.height;
    } else {
      partW = partExtent_.width;
      partH = h - partExtent_.height;
    }
  }
  if (partW <= 0 || partH <= 0) partW = w, partH = h;  // a sliver of a tiny picture
  const double scale = std::min(partW / frame_.width, partH / frame_.height);
  placement_.width = std::max(1, RoundEven(w / scale));
  placement_.height = std::max(1, RoundEven(h / scale));
}

void CaptureFraming::Place() {
  const int freeX = frame_.width - placement_.width;
  const int freeY = frame_.height - placement_.height;
  placement_.left = freeX / 2;
  placement_.top = freeY / 2;
  const int split = EffectiveSplit();
  if (SplitsSheet(split)) {
    (splitVertical_ ? placement_.left : placement_.top) = 0;
  } else if (split == 100) {
    (splitVertical_ ? placement_.left : placement_.top) = splitVertical_ ? freeX : freeY;
  }
}

void CaptureFraming::ClampToCover() {
  placement_.left = std::clamp(placement_.left, std::min(0, frame_.width - placement_.width), 0);
  placement_.top = std::clamp(placement_.top, std::min(0, frame_.height - placement_.height), 0);
}

bool CaptureFraming::CoversFrame() const {
  return placement_.width >= frame_.width && placement_.height >= frame_.height &&
         placement_.left <= 0 && placement_.top <= 0 &&
         placement_.Right() >= frame_.width && placement_.Bottom() >= frame_.height;
}

// A displayed size that leaves part of the frame bare (a video frame shown
// at its window's size, a rotation back to 0 after zooming out) is
// enlarged just enough to cover it again.
void CaptureFraming::EnsureCover() {
  if (placement_.width < frame_.width || placement_.height < frame_.height) {
    const double k = std::max(double(frame_.width) / placement_.width,
                              double(frame_.height) / placement_.height);
    placement_.width = std::max(frame_.width, int(std::ceil(placement_.width * k)));
    placement_.height = std::max(frame_.height, int(std::ceil(placement_.height * k)));
    Place();
  }
  ClampToCover();
}

double CaptureFraming::PicturePerScreen() const {
  if (!HasPicture() || placement_.width <= 0) return 0;
  return double(copy_.Width()) / placement_.width;
}

// Each picture is padded from its own content, so the tonal values and the
// rotation are not applied a second time, and width and height stay in
// their places.
bool CaptureFraming::Pad(double factor, ScreenPoint& offset) {
  const int w = PaddedSide(copy_.Width(), factor);
  const int h = PaddedSide(copy_.Height(), factor);
  const int rw = PaddedSide(orgRot_.Width(), factor);
  const int rh = PaddedSide(orgRot_.Height(), factor);
  if (!PictureSizeAcceptable(w, h) || !PictureSizeAcceptable(rw, rh)) return false;
  offset = {(w - copy_.Width()) / 2, (h - copy_.Height()) / 2};
  const auto pad = [&](const Bitmap& b, int pw, int ph) {
    return PadWhite(b, pw, ph, (pw - b.Width()) / 2, (ph - b.Height()) / 2);
  };
  copy_ = pad(copy_, w, h);
  shown_ = pad(shown_, w, h);
  orgRot_ = pad(orgRot_, rw, rh);
  if (!cutUndo_.Empty()) cutUndo_ = pad(cutUndo_, w, h);
  return true;
}

ScreenPoint CaptureFraming::Zoom(double factor) {
  ScreenPoint offset;
  if (!HasPicture() || factor == 0 || !std::isfinite(factor)) return offset;
  const int shownH = placement_.height;
  const int h = factor > 0 ? RoundEven(shownH * factor) : RoundEven(shownH / -factor);
  const double d = double(copy_.Width()) / copy_.Height();
  if (h < frame_.height || h * d < frame_.width) {
    // Shrinking would bare the frame: the picture gets a white border
    // instead, and its content is shown smaller at the same displayed size.
    Pad(factor, offset);
    return offset;
  }
  const int w = RoundEven(d * h);
  if (h > kMaxDisplayedSide || w > kMaxDisplayedSide) return offset;
  placement_.left -= (w - placement_.width) / 2;
  placement_.top -= (h - shownH) / 2;
  placement_.width = w;
  placement_.height = h;
  ClampToCover();
  return offset;
}

void CaptureFraming::ZoomBy(double factor) { Zoom(factor); }

void CaptureFraming::ZoomStep(double factor) {
  if (!HasPicture()) return;
  const double s = placement_.width / double(copy_.Width());
  const int x = RoundEven(-(placement_.left - frame_.width / 2.0) / s);
  const int y = RoundEven(-(placement_.top - frame_.height / 2.0) / s);
  const ScreenPoint moved = Zoom(factor);
  const double s2 = placement_.width / double(copy_.Width());
  MoveTo(RoundEven(-(x + moved.x) * s2 + frame_.width / 2),
         RoundEven(-(y + moved.y) * s2 + frame_.height / 2));
}

void CaptureFraming::ZoomToRect(ScreenRect mark) {
  if (!HasPicture() || mark.width <= 0 || mark.height <= 0) return;
  const double r = PicturePerScreen();
  const int x = RoundEven(r * (mark.left - placement_.left)) + RoundEven(r * mark.width) / 2;
  const int y = RoundEven(r * (mark.top - placement_.top)) + RoundEven(r * mark.height) / 2;
  const ScreenPoint moved = Zoom(double(frame_.height) / mark.height);
  const double s2 = placement_.width / double(copy_.Width());
  MoveTo(RoundEven(-(x + moved.x) * s2 + frame_.width / 2),
         RoundEven(-(y + moved.y) * s2 + frame_.height / 2));
}

void CaptureFraming::MoveTo(int left, int top) {
  placement_.left = left;
  placement_.top = top;
  ClampToCover();
}

void CaptureFraming::FitAgain() {
  if (!HasPicture()) return;
  Fit();
  Place();
  ClampToCover();
}

PictureRect CaptureFraming::MarkInPicture(ScreenRect mark) const {
  const double r = PicturePerScreen();
  PictureRect p;
  p.left = RoundEven(r * (mark.left - placement_.left));
  p.top = RoundEven(r * (mark.top - placement_.top));
  p.right = p.left + RoundEven(r * mark.width);
  p.bottom = p.top + RoundEven(r * mark.height);
  p.left = std::clamp(p.left, 0, copy_.Width());
  p.right = std::clamp(p.right, p.left, copy_.Width());
  p.top = std::clamp(p.top, 0, copy_.Height());
  p.bottom = std::clamp(p.bottom, p.top, copy_.Height());
  return p;
}

// The working copy and the shown picture are blanked alike, so the tonal
// values are never applied twice; the undo keeps the working copy.
bool CaptureFraming::Blank(ScreenRect mark, BlankArea area) {
  if (!HasPicture() || mark.width <= 0 || mark.height <= 0) return false;
  const PictureRect rect = MarkInPicture(mark);
  cutUndo_ = copy_;
  for (Bitmap* b : {&copy_, &shown_}) {
    if (area == BlankArea::kMarked)
      FillWhite(*b, rect);
    else
      FillWhiteOutside(*b, rect);
  }
  return true;
}

bool CaptureFraming::UndoBlank() {
  if (cutUndo_.Empty()) return false;
  copy_ = std::move(cutUndo_);
  cutUndo_ = Bitmap();
  ShowFromCopy();
  return true;
}

void CaptureFraming::SetAngle(int degrees) {
  angle_ = NormaliseAngle(degrees);
  if (!HasPicture()) return;
  // The rotation starts again from the rotation source: an undo of an
  // earlier blanking would bring back a picture of another angle.
  cutUndo_ = Bitmap();
  if (angle_ == 0) {
    copy_ = orgRot_;
    const double w = orgRot_.Width(), h = orgRot_.Height();
    if (w < h)
      placement_.width = RoundEven(w / h * placement_.height);
    else
      placement_.height = RoundEven(h / w * placement_.width);
  } else {
    RotateFree(orgRot_, angle_, copy_);
    const int side = std::max(placement_.width, placement_.height);
    placement_.width = placement_.height = side;
  }
  ShowFromCopy();
  Place();
  EnsureCover();
}

std::optional<StoreRegion> CaptureFraming::StoredRegion() const {
  if (!HasPicture() || placement_.width <= 0) return std::nullopt;
  const double r = PicturePerScreen();
  const int w = shown_.Width();
  const int h = shown_.Height();
  StoreRegion region;
  region.size = {std::max(1, RoundEven(frame_.width * r)),
                 std::max(1, RoundEven(frame_.height * r))};
  // Rounding may reach one pixel past the picture; the copy stays inside.
  region.source.left = std::clamp(RoundEven(-placement_.left * r), 0, w - 1);
  region.source.top = std::clamp(RoundEven(-placement_.top * r), 0, h - 1);
  region.source.right =
      std::clamp(RoundEven((-placement_.left + frame_.width) * r), region.source.left + 1, w);
  region.source.bottom =
      std::clamp(RoundEven((-placement_.top + frame_.height) * r), region.source.top + 1, h);
  return region;
}

Bitmap CaptureFraming::StorePicture() const {
  const std::optional<StoreRegion> region = StoredRegion();
  if (!region) return Bitmap();
  Bitmap out(region->size.width, region->size.height);
  StretchCopy(shown_, region->source, out);
  return out;
}

Bitmap CaptureFraming::ScreenRegion(ScreenRect box) const {
  if (box.width <= 0 || box.height <= 0) return Bitmap();
  Bitmap out = PadWhite(Bitmap(), box.width, box.height, 0, 0);
  if (!HasPicture()) return out;
  const int w = copy_.Width();
  const int h = copy_.Height();
  for (int y = 0; y < box.height; ++y) {
    const int cy = box.top + y - placement_.top;
    if (cy < 0 || cy >= placement_.height) continue;
    const std::uint8_t* row = copy_.Row(int(std::int64_t(cy) * h / placement_.height));
    std::uint8_t* d = out.Row(y);
    for (int x = 0; x < box.width; ++x, d += 3) {
      const int cx = box.left + x - placement_.left;
      if (cx < 0 || cx >= placement_.width) continue;
      const std::uint8_t* s = row + 3 * (std::int64_t(cx) * w / placement_.width);
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  }
  return out;
}

}  // namespace vemra
