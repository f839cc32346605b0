#pragma once
// The inspection box ("Granskaruta"): the rectangle over the frame in which
// the tonal previews are shown, laid out from a key/value description that
// the library keeps in its settings ("Läs in bild granska").
//
// What the view calls when: Layout() each time the dialog is shown;
// ApplyPreset() from the "Granskaruta" menu; BeginMove / BeginResize on a
// left press on the box or its corner handle, DragTo on moves, EndDrag on
// release. Then place the box at Box(), the handle at Handle(), and copy
// Description() and Changed() back to the library's settings.
#include <string>
#include <string_view>

#include "capture/framing/FramingGeometry.h"

namespace vemra {

inline constexpr int kHandleSize = 14;
inline constexpr int kMinBoxSize = 2 * kHandleSize;
inline constexpr int kHandleInset = 15;  // handle at right - 15, bottom - 15

enum class InspectionPreset { kWhole, kLeft, kRight, kTop, kBottom, kCenter };

struct InspectionPresetItem {
  InspectionPreset preset;
  const char* caption;  // menu caption, UTF-8
  const char* half;     // value of "Half", "" for the whole frame
};
inline constexpr InspectionPresetItem kInspectionPresets[] = {
    {InspectionPreset::kWhole, "Hela bilden", ""},
    {InspectionPreset::kLeft, "Halva bilden vänsterkant", "Left"},
    {InspectionPreset::kRight, "Halva bilden högerkant", "Right"},
    {InspectionPreset::kTop, "Halva bilden överkant", "Top"},
    {InspectionPreset::kBottom, "Halva bilden nederkant", "Bottom"},
    {InspectionPreset::kCenter, "Halva bilden centrerad", "Center"},
};
inline constexpr const char* kShowInspectionBoxCaption = "Visa granskaruta";

// The box a description gives in a frame. A description that names no
// usable box (keys missing or not numbers, smaller than the minimum, or
// wholly outside the frame) gives the whole frame.
ScreenRect InspectionBoxFor(std::string_view description, ScreenSize frame);
// "Width", "Height", "Left", "Top" in that order; empty for the whole frame.
std::string DescribeInspectionBox(ScreenRect box, ScreenSize frame);
ScreenRect PresetBox(InspectionPreset preset, ScreenSize frame);
std::string PresetDescription(InspectionPreset preset);
ScreenPoint HandlePosition(ScreenRect box);

class InspectionBox {
 public:
  void Layout(std::string_view description, ScreenSize frame);
  void ApplyPreset(InspectionPreset preset);

  void BeginMove(ScreenPoint point);
  void BeginResize(ScreenPoint point);
  void DragTo(ScreenPoint point);
  // Rewrites the description; false when no drag was under way.
  bool EndDrag();
  bool Dragging() const { return drag_ != Drag::kNone; }

  ScreenRect Box() const { return box_; }
  ScreenPoint Handle() const { return HandlePosition(box_); }
  const std::string& Description() const { return description_; }
  // Set whenever the user moved, resized or preset the box.
  bool Changed() const { return changed_; }

 private:
  enum class Drag { kNone, kMove, kResize };
  ScreenSize frame_;
  ScreenRect box_;
  std::string description_;
  bool changed_ = false;
  Drag drag_ = Drag::kNone;
  ScreenPoint start_;
  ScreenRect startBox_;
};

}  // namespace vemra
