// Texts of layout records: fonts, alignment, angles, wrapped and multi-line
// texts, memo lines, groups of texts sharing a baseline, and opacity.
#include <exception>
#include <vector>

#include "base/Text.h"
#include "imaging/PictureBudget.h"
#include "layout/render/LayoutAngles.h"
#include "layout/fields/Expressions.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/fields/LayoutValues.h"
#include "layout/fields/ObjectTexts.h"
#include "layout/render/PixelRounding.h"
#include "layout/render/RenderPictures.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {
namespace {

int IntegerOr(const std::string& text, int fallback) {
  int value = 0;
  return ToInt32(text, value) ? value : fallback;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// What a group member shows, before expressions: the value of a field or
// the joined lines of a memo for "dtx", the text itself for "ftx".
std::string GroupMemberText(std::string_view record, const RenderEnvironment& env) {
  const std::string dat = GetLayoutValue("dat", record);
  if (GetLayoutValue("typ", record) != "dtx") return dat;
  DataText text = DataTextOf(dat, env.fields, env.formats);
  if (text.memo) return JoinMemoLines(text.lines);
  return text.lines.empty() ? std::string() : text.lines.front();
}

}  // namespace

FontSpec LayoutRenderer::TextFont(std::string_view record) const {
  FontSpec font;
  font.face = GetLayoutValue("fnm", record);
  font.colour = ColourValue(ParseLayoutIntegerOr(GetLayoutValue("col", record), 0)) & 0xFFFFFF;
  const std::string points = GetLayoutValue("fsp", record);
  const int pixels = points.empty()
                         ? ToPixelsY(Millimetres("fsz", record))
                         : RoundHalfEven(ParseLayoutNumber(points) * scale_ * logPixelsY_ / 72.0);
  font.height = -pixels;
  const std::string style = GetLayoutValue("fst", record);
  font.bold = style == "1" || style == "3";
  font.italic = style == "2" || style == "3";
  return font;
}

void LayoutRenderer::DrawTextRecord(RecordDraw& draw) {
  if (!FieldIsSet(draw.record, env_.fields)) return;
  const std::string dat = GetLayoutValue("dat", draw.record);
  if (GetLayoutValue("typ", draw.record) == "ftx") {
    if (!dat.empty()) DrawTextObject(draw, 0, dat);
    return;
  }
  DataText text = DataTextOf(dat, env_.fields, env_.formats);
  if (text.memo) {
    for (std::size_t k = 0; k < text.lines.size(); ++k)
      if (!text.lines[k].empty()) DrawTextObject(draw, int(k), text.lines[k]);
  } else if (!text.lines.empty() && !text.lines.front().empty()) {
    DrawTextObject(draw, 0, text.lines.front());
  }
}

void LayoutRenderer::DrawTextObject(const RecordDraw& draw, int lineNumber, std::string text) {
  const std::string_view record = draw.record;
  Canvas& canvas = draw.canvas;

  const int angle =
      AddLayoutAngles(ParseLayoutIntegerOr(GetLayoutValue("ang", record), 0), draw.cardAngle,
                      draw.cardAngle == 90 || draw.cardAngle == 270 ? 180 : 0);

  const std::string ali = LowerAscii(GetLayoutValue("ali", record));
  const HorizontalAlign horizontal = ali == "center"  ? HorizontalAlign::Centre
                                     : ali == "right" ? HorizontalAlign::Right
                                                      : HorizontalAlign::Left;
  const std::string val = LowerAscii(GetLayoutValue("val", record));
  const VerticalAlign vertical = val == "bottom"   ? VerticalAlign::Bottom
                                 : val == "center" ? VerticalAlign::Centre
                                                   : VerticalAlign::Top;

  canvas.SetFont(TextFont(record));
  const int extraPercent = IntegerOr(GetLayoutValue("fxs", record), 0);
  const int opacity = IntegerOr(GetLayoutValue("opa", record), 100);

  if (IsSpecialExpression(text)) text = EvaluateSpecial(text, env_.fields, env_.formats);
  text = ApplyMod10(text);

  int left = draw.left, top = draw.top;
  // Memo lines after the first stand one box lower each.
  top += lineNumber * draw.height;
  if (!GetLayoutValue("grp", record).empty()) GroupPosition(draw, left, top);

  const bool wrap = GetLayoutValue("wwp", record) == "1";
  if (wrap) text = ReplaceAll(text, "\xFF", "\r\n");

  charExtra_ = 0;
  if (extraPercent != 0) {
    charExtra_ = RoundHalfEven(double(canvas.Metrics().height) * extraPercent / 100.0);
    canvas.SetCharacterExtra(charExtra_);
  }

  if (text.find("\r\n") == std::string::npos) {
    DrawTextLine(canvas, text, left, top, draw.width, draw.height, wrap, opacity, angle,
                 VerticalAlign::Top, horizontal);
  } else {
    const std::vector<std::string> lines = SplitCrLf(text);
    const int n = int(lines.size());
    const int lineHeight = canvas.Metrics().height;
    int x = left, y = top;
    if (vertical == VerticalAlign::Bottom) y += draw.height - n * lineHeight;
    else if (vertical == VerticalAlign::Centre) y += (draw.height - n * lineHeight) / 2;
    for (const std::string& line : lines) {
      DrawTextLine(canvas, line, x, y, draw.width, draw.height, false, opacity, angle, vertical,
                   horizontal);
      switch (angle) {
        case 90: x += lineHeight; break;
        case 180: y -= lineHeight; break;
        case 270: x -= lineHeight; break;
        default: y += lineHeight; break;
      }
    }
  }

  if (charExtra_ != 0) {
    canvas.SetCharacterExtra(0);
    charExtra_ = 0;
  }
}

bool LayoutRenderer::GroupPosition(const RecordDraw& draw, int& left, int& top) {
  const std::string group = GetLayoutValue("grp", draw.record);
  std::vector<std::size_t> members;
  std::size_t g = 0;
  bool found = false;
  for (std::size_t i = 0; i < draw.list.size(); ++i) {
    const std::string type = GetLayoutValue("typ", draw.list[i]);
    if (type != "ftx" && type != "dtx") continue;
    if (!EqualsNoCaseAscii(GetLayoutValue("grp", draw.list[i]), group)) continue;
    if (i == draw.index) {
      g = members.size();
      found = true;
    }
    members.push_back(i);
  }
  if (!found) return false;

  Canvas& canvas = draw.canvas;
  const std::string_view first = draw.list[members.front()];
  int x = ToPixelsX(Millimetres("lft", first)) + ToPixelsX(draw.xOffsetMm);
  const int y0 = ToPixelsY(Millimetres("top", first)) + ToPixelsY(draw.yOffsetMm);
  const bool right = LowerAscii(GetLayoutValue("ali", first)) == "right";
  canvas.SetFont(TextFont(first));
  const int firstAscent = canvas.Metrics().ascent;

  if (g > 0) {
    for (std::size_t m = 0; m < members.size(); ++m) {
      const std::string_view member = draw.list[members[m]];
      const std::string text = GroupMemberText(member, env_);
      canvas.SetFont(TextFont(member));
      const int boxWidth = ToPixelsX(Millimetres("wid", member));
      if (right && m > 0) x -= boxWidth;
      if (m == g) break;
      const int textWidth = canvas.TextWidth(text);
      x += right ? boxWidth - textWidth : textWidth;
    }
  }

  canvas.SetFont(TextFont(draw.record));
  left = x;
  if (g > 0) top = y0 + firstAscent - canvas.Metrics().ascent;
  return true;
}

void LayoutRenderer::DrawTextLine(Canvas& canvas, const std::string& text, int x, int y,
                                  int width, int height, bool wrap, int opacity, int angle,
                                  VerticalAlign vertical, HorizontalAlign horizontal) {
  const int bottom = y + height;
  const int textWidth = canvas.TextWidth(text);
  const PixelRect area{x, y, x + width, y + height};

  bool blending = false;
  if (opacity < 100 && shadow_ && width > 0 && height > 0) {
    try {
      alpha_.SaveBackground(*shadow_, area);
      blending = alpha_.SavedBackground() != nullptr;
    } catch (const PictureRefused&) {
      // Told by the budget; the text is written opaque.
    }
  }

  if (!wrap) {
    switch (angle) {
      case 90:
        if (horizontal == HorizontalAlign::Left) y = bottom;
        else if (horizontal == HorizontalAlign::Centre) y = bottom - (height - textWidth) / 2;
        else y += textWidth;
        break;
      case 180:
        x += width;
        if (horizontal == HorizontalAlign::Centre) x -= (width - textWidth) / 2;
        else if (horizontal == HorizontalAlign::Right) x += textWidth - width;
        y = bottom;
        break;
      case 270:
        x += width;
        if (horizontal == HorizontalAlign::Centre) y += (height - textWidth) / 2;
        else if (horizontal == HorizontalAlign::Right) y += height - textWidth;
        break;
      default:
        if (horizontal == HorizontalAlign::Centre) x += (width - textWidth) / 2;
        else if (horizontal == HorizontalAlign::Right) x += width - textWidth;
        break;
    }
  }

  const FontSpec unturned = canvas.Font();
  FontSpec font = unturned;
  if (angle != 0) {
    font.escapement = angle * 10;
    canvas.SetFont(font);
  }
  BrushSpec brush = canvas.Brush();
  brush.style = BrushStyle::Clear;
  canvas.SetBrush(brush);
  PenSpec pen = canvas.Pen();
  pen.style = PenStyle::Clear;
  canvas.SetPen(pen);

  unsigned format = kWordBreak | kNoPrefix | kExpandTabs;
  if (horizontal == HorizontalAlign::Right) format |= kAlignRight;
  else if (horizontal == HorizontalAlign::Centre) format |= kAlignCentre;
  if (vertical == VerticalAlign::Bottom) format |= kAlignBottom;
  else if (vertical == VerticalAlign::Centre) format |= kAlignVCentre;

  const auto write = [&](Canvas& target, int dx, int dy) {
    if (wrap)
      target.DrawFormattedText({area.left - dx, area.top - dy, area.right - dx, area.bottom - dy},
                               text, format);
    else
      target.TextOut(x - dx, y - dy, text);
  };
  write(canvas, 0, 0);

  if (blending && env_.makeBitmapCanvas) {
    try {
      const Bitmap& saved = *alpha_.SavedBackground();
      std::unique_ptr<BitmapCanvas> copy = env_.makeBitmapCanvas(saved);
      copy->SetFont(font);
      copy->SetBrush(brush);
      copy->SetPen(pen);
      if (charExtra_ != 0) copy->SetCharacterExtra(charExtra_);
      write(*copy, area.left, area.top);
      Bitmap blended = copy->Pixels();
      copy.reset();
      if (alpha_.BlendBitmaps(opacity, blended, saved)) {
        Picture picture;
        picture.SetBitmap(std::move(blended));
        StretchPictureInto(area, true, "", canvas, picture);
      }
    } catch (const std::exception&) {
      // No memory or bitmap for the copy: the text stays as drawn, opaque.
    }
  }
  if (blending) alpha_.DiscardBackground();

  if (angle != 0) canvas.SetFont(unturned);
}

}  // namespace vemra
