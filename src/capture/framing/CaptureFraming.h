#pragma once
// The picture behind the capture dialog's fixed frame: the pictures the
// dialog holds, where the shown picture sits in the frame, and every tool
// that moves, scales, rotates or blanks it. Plain data and arithmetic; the
// view only forwards events here and paints what Placement() and Shown()
// say.
//
// What the view calls when:
// - SizeFrame: SetFrame(CaptureFrameSize(...)). CaptureToFile: SetSplit()
//   at the start of each run; a split-100 run then calls ShowKeptSheet()
//   instead of acquiring.
// - A source delivered a picture: SetPicture(bitmap) (fitted); after a
//   video freeze SetPicture(bitmap, false, videoWindowSize).
// - Zoom buttons: ZoomStep(kZoomIn...); fit-again buttons: FitAgain().
//   Pointer events go through FramingTools, which calls the rest.
// - Rotation buttons: TurnBy(+-1 / +-90); reset: SetAngle(0). The dialog
//   being shown: ClearAngle().
// - Tonal values changed: ReapplyTone(); a tone button: BakeTone(); the
//   adjustment dialog's OK: AdoptCorrected().
// - OK: StorePicture() (an empty bitmap: nothing to store).
// After every call: position Im and the outline at Placement(), paint
// Shown(), show Angle().
#include <functional>
#include <optional>

#include "capture/framing/FrameTable.h"
#include "capture/framing/FramingGeometry.h"
#include "imaging/Bitmap.h"

namespace vemra {

// Zoom factors: a positive factor multiplies the displayed size, a
// negative one divides it by its magnitude.
inline constexpr double kZoomInStep = 1.1;
inline constexpr double kZoomInFine = 1.01;  // Shift alone held
inline constexpr double kZoomOutStep = 0.9090909091;
inline constexpr double kZoomOutFine = 0.990099009901;
inline constexpr double kClickZoomOutStep = -1.1;
inline constexpr double kClickZoomOutFine = -1.01;

// A displayed picture never grows past this many screen pixels a side, so
// that endless zooming in cannot overflow the control's coordinates.
inline constexpr int kMaxDisplayedSide = 1 << 20;

enum class BlankArea { kMarked, kUnmarked };

// What OK writes: `source` (clamped to the picture) stretched to `size`.
struct StoreRegion {
  PictureRect source;
  ScreenSize size;  // in picture pixels, despite the type's name
  bool operator==(const StoreRegion&) const = default;
};

class CaptureFraming {
 public:
  // Recomputes the shown picture (Im) from the working copy (ImCopy) with
  // the current tonal values. Without one, Im is a copy of ImCopy.
  using ToneApplier = std::function<void(const Bitmap& workingCopy, Bitmap& shown)>;

  CaptureFraming();

  // ---- run set-up
  // A changed frame refits a picture that is already shown.
  void SetFrame(ScreenSize frame);
  ScreenSize Frame() const { return frame_; }
  // Positions 1..99 take that share of the sheet and keep the sheet, 100
  // takes the remainder of the kept sheet; anything else is no split.
  void SetSplit(int position, bool vertical);
  int SplitPosition() const { return splitPosition_; }
  bool SplitVertical() const { return splitVertical_; }
  void SetToneApplier(ToneApplier apply);

  // ---- pictures
  // Makes a picture (any format; kept as 24 bits) the current one: Im,
  // ImCopy and ImOrgRot; keeps the sheet for a split; resets the angle to
  // 0 (a new rotation source). `fit` fits and places it as a new picture;
  // otherwise it is shown at `shown` (its own size when empty) and placed.
  // An empty bitmap is ignored.
  void SetPicture(Bitmap picture, bool fit = true, ScreenSize shown = {});
  // The split-100 run: the kept sheet, fitted to its remainder. False (and
  // nothing changes) when no sheet was kept.
  bool ShowKeptSheet();
  // A run that acquires its own picture starts with none, so that the last
  // run's picture is neither shown nor stored for it. The kept sheet stays.
  void ClearPicture();
  bool HasPicture() const { return !copy_.Empty(); }
  const Bitmap& Shown() const { return shown_; }            // Im
  const Bitmap& WorkingCopy() const { return copy_; }       // ImCopy
  const Bitmap& RotationSource() const { return orgRot_; }  // ImOrgRot
  const Bitmap* KeptSheet() const { return keep_.Empty() ? nullptr : &keep_; }
  // Part of the sheet the last split took, in picture pixels (0 x 0: none).
  ScreenSize PartExtent() const { return partExtent_; }
  void ReapplyTone();
  // Corrections made elsewhere to the whole picture: they become Im, ImCopy
  // and the rotation source, at angle 0; the placement stays.
  void AdoptCorrected(Bitmap corrected);
  // A pixel-wise change baked into the picture for good: the working copy,
  // the rotation source and the blanking undo all get it, so neither a
  // later rotation nor an undo takes it back; Im is then recomputed. The
  // placement and the angle stay.
  void BakeTone(const std::function<void(Bitmap&)>& change);

  // ---- placement
  // Im's offset in the frame (zero or negative) and displayed size.
  ScreenRect Placement() const { return placement_; }
  // Picture pixels per screen pixel (0 without a picture).
  double PicturePerScreen() const;
  bool CoversFrame() const;

  // ---- zoom and pan
  // Scales the displayed picture about its own centre; when that would
  // uncover the frame, pads the picture with white instead.
  void ZoomBy(double factor);
  // One zoom step keeping the picture point under the frame centre.
  void ZoomStep(double factor);
  // The mark's height fills the frame, its centre under the frame centre.
  void ZoomToRect(ScreenRect mark);
  // Pan: Im's offset, clamped so that the picture still covers the frame.
  void MoveTo(int left, int top);
  // Refit and place exactly as for a new picture.
  void FitAgain();

  // ---- blanking (one level of undo)
  bool Blank(ScreenRect mark, BlankArea area);
  bool UndoBlank();
  bool CanUndoBlank() const { return !cutUndo_.Empty(); }
  void DiscardBlankUndo() { cutUndo_ = Bitmap(); }
  // The mark in picture pixels, clamped to the picture.
  PictureRect MarkInPicture(ScreenRect mark) const;

  // ---- rotation: always from the rotation source by the total angle
  int Angle() const { return angle_; }
  // Normalises into -180..180 and rotates.
  void SetAngle(int degrees);
  void TurnBy(int degrees) { SetAngle(angle_ + degrees); }
  // The dialog being shown: the angle reads 0, nothing is rotated.
  void ClearAngle() { angle_ = 0; }

  // ---- storing
  // Nothing without a picture.
  std::optional<StoreRegion> StoredRegion() const;
  // The framed part of Im, exactly what the frame shows; empty without a
  // picture.
  Bitmap StorePicture() const;

  // ImCopy under a rectangle of the frame at screen resolution (the
  // inspection preview's base); parts outside the picture are white.
  Bitmap ScreenRegion(ScreenRect box) const;

 private:
  int EffectiveSplit() const;
  void Fit();
  void Place();
  void ClampToCover();
  void EnsureCover();
  void KeepSheet();
  // Scales the display (or pads); returns how far the content moved
  // inside the picture when it was padded.
  ScreenPoint Zoom(double factor);
  bool Pad(double factor, ScreenPoint& offset);
  void ShowFromCopy();

  ScreenSize frame_ = kPhotoFrame;
  int splitPosition_ = 0;
  bool splitVertical_ = false;
  ToneApplier tone_;

  Bitmap shown_;   // Im
  Bitmap copy_;    // ImCopy
  Bitmap orgRot_;  // ImOrgRot
  Bitmap keep_;    // ImKeep
  Bitmap cutUndo_;
  ScreenSize partExtent_;
  ScreenRect placement_;
  int angle_ = 0;
};

}  // namespace vemra
