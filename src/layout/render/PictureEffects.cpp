#include "layout/render/PictureEffects.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/Text.h"
#include "imaging/LynImageEx.h"
#include "layout/fields/LayoutValues.h"

namespace vemra {
namespace {

std::optional<int> IntegerOf(std::string_view text) {
  try {
    return ParseLayoutInteger(text);
  } catch (const LayoutValueError&) {
    return std::nullopt;
  }
}

std::optional<double> NumberOf(std::string_view text) {
  try {
    return ParseLayoutNumber(text);
  } catch (const LayoutValueError&) {
    return std::nullopt;
  }
}

// An absent or empty value counts as the key's default.
std::string ValueOr(std::string_view key, std::string_view record, std::string_view fallback) {
  std::string value = EffectValue(key, record);
  return value.empty() ? std::string(fallback) : value;
}

int IntegerOr(std::string_view key, std::string_view record, int fallback) {
  return IntegerOf(EffectValue(key, record)).value_or(fallback);
}

// One or two characters of digits with an optional sign first: a keypad
// position rather than a colour.
bool IsPositionCode(std::string_view text) {
  if (text.empty() || text.size() > 2) return false;
  std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

ColourValue PixelAt(const Bitmap& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + 3 * x;
  return MakeColour(p[2], p[1], p[0]);
}

// False when the position code is invalid: the whole effect step is off.
bool ApplyTransparency(Bitmap& picture, std::string_view record) {
  const std::string trp = ValueOr("trp", record, "0");
  if (trp == "0") return true;
  ColourValue key = 0;
  int seedRow = -1, seedColumn = -1, spread = 0;
  if (IsPositionCode(trp)) {
    const int code = std::stoi(std::string(trp));
    if (code < 1 || code > 9) return false;
    const int w = picture.Width(), h = picture.Height();
    const int column = (code - 1) % 3 == 0 ? 0 : (code - 1) % 3 == 1 ? w / 2 : w - 1;
    const int row = code >= 7 ? 0 : code >= 4 ? h / 2 : h - 1;
    key = PixelAt(picture, column, row);
    const int tpf = IntegerOr("tpf", record, -1);
    if (tpf != -1) seedRow = row, seedColumn = column, spread = tpf;
  } else {
    const long long colour = ParseEffectColour(trp);
    if (colour < 0) return true;  // no usable key colour: nothing to make transparent
    key = ColourValue(colour);
  }
  MakeColourTransparent(picture, key, IntegerOr("tpt", record, 0), spread, seedRow, seedColumn);
  return true;
}

int RoundHalfEven(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e9) return 0;
  return int(std::nearbyint(value));
}

void ApplyEffect(Bitmap& picture, std::string_view record) {
  const std::string effect = EffectValue("ImFx", record);
  if (EqualsNoCaseAscii(effect, "GrayScale")) {
    ConvertToGreyScale(picture);
  } else if (EqualsNoCaseAscii(effect, "Line")) {
    const double height = NumberOf(ValueOr("hei", record, "40")).value_or(40);
    const double space = NumberOf(ValueOr("ImFxLineSpace", record, "1")).value_or(1);
    const int spacing = RoundHalfEven(picture.Height() / (height / space));
    const long long colour = ParseEffectColour(ValueOr("ImFxLineColor", record, "000000"));
    DrawLineScreen(picture, IntegerOr("ImFxLineThreshold", record, 127), spacing,
                   colour < 0 ? 0 : ColourValue(colour));  // malformed colours draw black
  }
}

}  // namespace

std::string EffectValue(std::string_view key, std::string_view record) {
  std::size_t begin = 0;
  while (begin <= record.size()) {
    std::size_t end = record.find('\t', begin);
    if (end == std::string_view::npos) end = record.size();
    const std::string_view item = record.substr(begin, end - begin);
    const std::size_t equals = item.find('=');
    const std::size_t split = equals != std::string_view::npos ? equals : std::min<std::size_t>(3, item.size());
    const std::size_t valueStart = equals != std::string_view::npos ? equals + 1 : split;
    if (!item.empty() && EqualsNoCaseAscii(item.substr(0, split), key))
      return std::string(item.substr(valueStart));
    begin = end + 1;
  }
  return {};
}

long long ParseEffectColour(std::string_view text) {
  if (!text.empty() && text[0] == '$') text.remove_prefix(1);
  if (text.size() != 6) return -1;
  long long rgb = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
              : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return -1;
    rgb = rgb << 4 | digit;
  }
  return MakeColour(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

bool NeedsImageEffects(std::string_view record) {
  const std::string trp = EffectValue("trp", record), opa = EffectValue("opa", record);
  return (!trp.empty() && trp != "0") || (!opa.empty() && opa != "0") ||
         !EffectValue("ImFx", record).empty();
}

void DrawOver(Bitmap& target, const Bitmap& picture) {
  if (target.Empty() || picture.Empty()) return;
  target.SetPixelFormat(PixelFormat::pf24bit);
  Bitmap converted;
  const Bitmap* source = &As24Bit(picture, converted);
  const int tw = target.Width(), th = target.Height();
  const int sw = source->Width(), sh = source->Height();
  const ColourValue key = picture.transparentColour & 0xFFFFFF;
  for (int y = 0; y < th; ++y) {
    const std::uint8_t* s = source->Row(int(std::int64_t(y) * sh / th));
    std::uint8_t* d = target.Row(y);
    for (int x = 0; x < tw; ++x, d += 3) {
      const std::uint8_t* p = s + 3 * (std::int64_t(x) * sw / tw);
      if (picture.transparent && MakeColour(p[2], p[1], p[0]) == key) continue;
      d[0] = p[0], d[1] = p[1], d[2] = p[2];
    }
  }
}

void ApplyImageEffects(const PixelRect& box, Canvas& background, Picture& image,
                       std::string_view record, LynAlpha& alpha,
                       const std::function<Bitmap(const Picture&, int w, int h)>& stretchToBitmap) {
  if (!NeedsImageEffects(record) || image.Empty()) return;
  const int w = box.Width(), h = box.Height();
  if (w <= 0 || h <= 0) return;
  Bitmap under = background.CopyArea(box);
  under.SetPixelFormat(PixelFormat::pf24bit);
  if (under.Width() != w || under.Height() != h) {  // unreadable device: card white
    under = Bitmap(w, h);
    for (int y = 0; y < h; ++y) std::fill_n(under.Row(y), 3 * w, std::uint8_t(0xFF));
  }

  Bitmap picture = stretchToBitmap(image, w, h);
  if (picture.Empty()) return;
  // A transparent source stays transparent even when the stretch forgot to say so.
  if (const Bitmap* source = image.AsBitmap(); source && source->transparent && !picture.transparent) {
    picture.transparent = true;
    picture.transparentColour = source->transparentColour;
  }
  picture.SetPixelFormat(PixelFormat::pf24bit);

  if (!ApplyTransparency(picture, record)) return;
  ApplyEffect(picture, record);

  Bitmap composite = under;
  DrawOver(composite, picture);
  composite.transparent = false;

  const std::string opa = ValueOr("opa", record, "100");
  if (opa != "100")
    if (const std::optional<int> opacity = IntegerOf(opa)) alpha.BlendBitmaps(*opacity, composite, under);
  image.SetBitmap(std::move(composite));
}

}  // namespace vemra
