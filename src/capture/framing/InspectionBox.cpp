#include "capture/framing/InspectionBox.h"

#include <algorithm>

#include "base/KeyValueList.h"
#include "base/Text.h"

namespace vemra {
namespace {

std::optional<ScreenRect> HalfBox(std::string_view half, ScreenSize f) {
  if (EqualsNoCaseAscii(half, "Left")) return ScreenRect{0, 0, f.width / 2, f.height};
  if (EqualsNoCaseAscii(half, "Right")) return ScreenRect{f.width / 2, 0, f.width / 2, f.height};
  if (EqualsNoCaseAscii(half, "Top")) return ScreenRect{0, 0, f.width, f.height / 2};
  if (EqualsNoCaseAscii(half, "Bottom")) return ScreenRect{0, f.height / 2, f.width, f.height / 2};
  if (EqualsNoCaseAscii(half, "Center"))
    return ScreenRect{f.width / 4, f.height / 4, f.width / 2, f.height / 2};
  return std::nullopt;
}

bool Usable(const ScreenRect& box, ScreenSize frame) {
  return box.width >= kMinBoxSize && box.height >= kMinBoxSize && box.left < frame.width &&
         box.top < frame.height && box.Right() > 0 && box.Bottom() > 0;
}

}  // namespace

ScreenRect InspectionBoxFor(std::string_view description, ScreenSize frame) {
  const ScreenRect whole{0, 0, frame.width, frame.height};
  const KeyValueList list = KeyValueList::Parse(description);
  if (list.Empty()) return whole;
  if (std::optional<std::string> half = list.Find("Half"))
    if (std::optional<ScreenRect> box = HalfBox(*half, frame)) return *box;
  const std::optional<int> left = list.IntValue("left"), top = list.IntValue("top"),
                           width = list.IntValue("width"), height = list.IntValue("height");
  if (!left || !top || !width || !height) return whole;
  const ScreenRect box{*left, *top, *width, *height};
  // A box the user could neither see nor grab again is no box.
  return Usable(box, frame) ? box : whole;
}

std::string DescribeInspectionBox(ScreenRect box, ScreenSize frame) {
  if (box == ScreenRect{0, 0, frame.width, frame.height}) return {};
  KeyValueList list;
  list.Set("Width", box.width);
  list.Set("Height", box.height);
  list.Set("Left", box.left);
  list.Set("Top", box.top);
  return list.Text();
}

std::string PresetDescription(InspectionPreset preset) {
  for (const InspectionPresetItem& item : kInspectionPresets)
    if (item.preset == preset && *item.half) return std::string("Half=") + item.half + "\t";
  return {};
}

ScreenRect PresetBox(InspectionPreset preset, ScreenSize frame) {
  return InspectionBoxFor(PresetDescription(preset), frame);
}

ScreenPoint HandlePosition(ScreenRect box) {
  return {box.Right() - kHandleInset, box.Bottom() - kHandleInset};
}

void InspectionBox::Layout(std::string_view description, ScreenSize frame) {
  frame_ = frame;
  description_ = std::string(description);
  box_ = InspectionBoxFor(description, frame);
  drag_ = Drag::kNone;
}

void InspectionBox::ApplyPreset(InspectionPreset preset) {
  description_ = PresetDescription(preset);
  box_ = PresetBox(preset, frame_);
  changed_ = true;
}

void InspectionBox::BeginMove(ScreenPoint point) {
  drag_ = Drag::kMove;
  start_ = point;
  startBox_ = box_;
}

void InspectionBox::BeginResize(ScreenPoint point) {
  drag_ = Drag::kResize;
  start_ = point;
  startBox_ = box_;
}

void InspectionBox::DragTo(ScreenPoint point) {
  const int dx = point.x - start_.x;
  const int dy = point.y - start_.y;
  if (drag_ == Drag::kMove) {
    box_.left = startBox_.left + dx;
    box_.top = startBox_.top + dy;
  } else if (drag_ == Drag::kResize) {
    box_.width = std::max(kMinBoxSize, startBox_.width + dx);
    box_.height = std::max(kMinBoxSize, startBox_.height + dy);
  }
}

bool InspectionBox::EndDrag() {
  if (drag_ == Drag::kNone) return false;
  drag_ = Drag::kNone;
  description_ = DescribeInspectionBox(box_, frame_);
  changed_ = true;
  return true;
}

}  // namespace vemra
