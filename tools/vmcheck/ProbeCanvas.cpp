#include "ProbeCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace vemra {

int ProbeCanvas::TextWidth(const std::string& text) {
  FontSpec upright = font_;
  upright.escapement = 0;
  return measure_.Width(upright, extra_, text);
}

void ProbeCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  const int w = TextWidth(text);
  const int h = font_.height == 0 ? Metrics().ascent : std::abs(font_.height);
  // The character cell turned counter-clockwise about its upper left.
  switch (((font_.escapement / 10) % 360 + 360) % 360) {
    case 90:
      Add(Ink::Text, {x, y - w, x + h, y});
      break;
    case 180:
      Add(Ink::Text, {x - w, y - h, x, y});
      break;
    case 270:
      Add(Ink::Text, {x - h, y, x, y + w});
      break;
    default:
      Add(Ink::Text, {x, y, x + w, y + h});
      break;
  }
}

std::vector<std::string> ProbeCanvas::WrapLines(const std::string& text, int width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string paragraph = text.substr(start, end - start);
    std::string line;
    std::size_t at = 0;
    while (at <= paragraph.size()) {
      std::size_t blank = paragraph.find(' ', at);
      if (blank == std::string::npos) blank = paragraph.size();
      const std::string word = paragraph.substr(at, blank - at);
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && TextWidth(longer) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = longer;
      }
      at = blank + 1;
    }
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

void ProbeCanvas::DrawFormattedText(const PixelRect& box, const std::string& text,
                                    unsigned format) {
  const std::vector<std::string> lines =
      (format & kWordBreak) ? WrapLines(text, box.Width()) : std::vector<std::string>{text};
  int widest = 0;
  for (const auto& line : lines) widest = std::max(widest, TextWidth(line));
  const int em = font_.height == 0 ? Metrics().ascent : std::abs(font_.height);
  const int height = int(lines.size() - 1) * Metrics().height + em;
  int left = box.left, top = box.top;
  if (format & kAlignRight)
    left = box.right - widest;
  else if (format & kAlignCentre)
    left = box.left + (box.Width() - widest) / 2;
  if (format & kAlignBottom)
    top = box.bottom - height;
  else if (format & kAlignVCentre)
    top = box.top + (box.Height() - height) / 2;
  Add(Ink::Text, {left, top, left + widest, top + height});
}

void ProbeCanvas::Line(int x1, int y1, int x2, int y2) {
  // The end point is not drawn, as with GDI's LineTo.
  const int left = std::min(x1, x2), top = std::min(y1, y2);
  Add(Ink::Bar,
      {left, top, std::max(std::max(x1, x2), left + 1), std::max(std::max(y1, y2), top + 1)});
}

void ProbeCanvas::FillRect(const PixelRect& box, ColourValue) {
  if (box.Width() <= 0 || box.Height() <= 0)
    ++vanishedBars_;
  else
    Add(Ink::Bar, box);
}

void ProbeCanvas::StretchDraw(const PixelRect& box, const Bitmap& picture) {
  inks_.push_back({Ink::Picture, box, picture.Width(), picture.Height()});
}

bool ProbeCanvas::TransferBits(const PixelRect& box, const Bitmap& picture, bool) {
  inks_.push_back({Ink::Picture, box, picture.Width(), picture.Height()});
  return true;
}

Bitmap ProbeCanvas::CopyArea(const PixelRect& area) {
  Bitmap white(std::max(1, area.Width()), std::max(1, area.Height()));
  for (int y = 0; y < white.Height(); ++y)
    std::fill_n(white.Row(y), std::size_t(white.Width()) * 3, 0xFF);
  return white;
}

int ProbeCanvas::DeviceCaps(DeviceCap cap) const {
  switch (cap) {
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY:
      return dpi_;
    case DeviceCap::BitsPixel:
      return 24;
    case DeviceCap::Planes:
      return 1;
    case DeviceCap::NumColors:
      return -1;
    default:
      return 0;
  }
}

}  // namespace vemra
