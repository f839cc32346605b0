#include "layout/render/LayoutAngles.h"
#include "layout/barcodes/BarcodeDrawing.h"

#include <algorithm>

#include "base/Text.h"
#include "layout/fields/CheckDigits.h"
#include "layout/barcodes/Code128.h"
#include "layout/barcodes/Code39.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/FieldFormat.h"
#include "layout/barcodes/Interleaved2of5.h"
#include "layout/fields/LayoutValues.h"
#include "layout/render/PixelRounding.h"
#include "layout/barcodes/Plessey.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {
namespace {

// A symbol longer than this (over eight metres at 200 dpi) is a broken
// layout; drawing it line by line would hang the job.
constexpr int kMaxBarcodeLength = 1 << 16;

void ReplaceFirst(std::string& text, char from, char to) {
  if (auto pos = text.find(from); pos != std::string::npos) text[pos] = to;
}

struct SymbolPlan {
  BarElements elements;
  double step = 0;   // pixels per unit or module
  double start = 0;  // pixels before the first element
  bool modules = false;
};

SymbolPlan PlanSymbol(const std::string& text, BarcodeSymbology symbology, int length) {
  SymbolPlan plan;
  const int characters = int(text.size());
  int units = 0, margin = 0;
  switch (symbology) {
    case BarcodeSymbology::Code128:
    case BarcodeSymbology::Ean128:
      plan.elements = EncodeCode128(text, symbology == BarcodeSymbology::Ean128);
      plan.modules = true;
      units = 11 * characters + 22;
      margin = 11;
      break;
    case BarcodeSymbology::Interleaved2of5: {
      plan.elements = EncodeInterleaved2of5(text);
      const int digits = int(Interleaved2of5Digits(text).size());
      units = 20 * (digits + digits % 2) + 40;
      margin = kI2of5Margin;
      break;
    }
    case BarcodeSymbology::Plessey:
      plan.elements = EncodePlessey(text);
      units = 36 * characters + 252;
      margin = kPlesseyMargin;
      break;
    case BarcodeSymbology::Code39:
      plan.elements = EncodeCode39(text);
      units = 29 * characters + 116;
      margin = kCode39Margin;
      break;
  }
  plan.step = double(length) / units;
  plan.start = margin * plan.step;
  return plan;
}

}  // namespace

BarcodeSymbology SymbologyOf(std::string_view btp) {
  const std::string name = LowerAscii(btp);
  if (name == "ean128") return BarcodeSymbology::Ean128;
  if (name == "code128") return BarcodeSymbology::Code128;
  if (name == "interleaved2of5") return BarcodeSymbology::Interleaved2of5;
  if (name == "plessey") return BarcodeSymbology::Plessey;
  return BarcodeSymbology::Code39;
}

// What `chk` appends: Plessey's from the plug-in, else a mod-10 digit of
// the variant it names.
std::string CheckCharacters(const std::string& text, BarcodeSymbology symbology,
                            const std::string& check,
                            const PlesseyCheckCharsFn& plessey) {
  int variant = 0;
  if (symbology == BarcodeSymbology::Plessey && check == "1")
    return plessey ? plessey(text) : std::string();
  if (check == "1") return CheckDigitMod10(text, 1);
  if (check != "0" && ToInt32(check, variant)) return CheckDigitMod10(text, variant);
  return {};
}

std::string BarcodeText(std::string_view record, const FieldList& fields,
                        const RegionalFormats& formats,
                        const PlesseyCheckCharsFn& plesseyCheckChars) {
  const BarcodeSymbology symbology = SymbologyOf(GetLayoutValue("btp", record));
  const std::string dat = GetLayoutValue("dat", record);
  std::string text;
  if (IsSpecialExpression(dat)) {
    text = EvaluateSpecial(dat, fields, formats);
  } else {
    // The field is named before "[DB]"; what follows is the length the
    // text is padded to, not part of the name.
    text = FieldValue(fields, StripDbMarker(dat.substr(0, FindNoCase(dat, "[DB]"))));
  }
  // No value: nothing is drawn. A value without digits still pads to the
  // length the layout asks for.
  if (text.empty()) return text;
  if (symbology == BarcodeSymbology::Interleaved2of5) text = Interleaved2of5Digits(text);

  if (!text.empty()) text += CheckCharacters(text, symbology, GetLayoutValue("chk", record),
                                             plesseyCheckChars);

  const int length = std::min(DbLengthOf(dat), kMaxFieldWidth);
  if (length >= 0 && text.size() < std::size_t(length))
    text.insert(0, std::size_t(length) - text.size(), '0');

  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  ReplaceFirst(text, '\xC5', 'A');  // Å
  ReplaceFirst(text, '\xC4', 'A');  // Ä
  ReplaceFirst(text, '\xD6', 'O');  // Ö
  return text;
}

void DrawBarcodeObject(std::string_view record, int left, int top, int width, int height,
                       int cardAngle, Canvas& canvas, const BarcodeServices& services) {
  const BarcodeSymbology symbology = SymbologyOf(GetLayoutValue("btp", record));
  const int angle = AddLayoutAngles(ParseLayoutIntegerOr(GetLayoutValue("ang", record), 0), cardAngle);
  const std::string text =
      BarcodeText(record, services.fields, services.formats, services.plesseyCheckChars);
  if (text.empty()) return;

  const std::string opacity = GetLayoutValue("opa", record);
  const PixelRect area{left, top, left + width, top + height};
  if (!opacity.empty()) services.alpha.SaveBackground(services.background, area);
  DrawBarcode(text, symbology, canvas, left, top, width, height, angle);
  if (!opacity.empty()) {
    int value = 100;
    if (!ToInt32(opacity, value)) value = 100;
    services.alpha.BlendSavedBackground(value, area, canvas);
    services.alpha.DiscardBackground();
  }
}

void DrawBarcode(const std::string& text, BarcodeSymbology symbology, Canvas& canvas, int left,
                 int top, int width, int height, int angle) {
  if (text.empty()) return;
  // The layout's angle plus the card's can pass a full turn (270 + 180);
  // it is the same direction.
  angle = ((angle % 360) + 360) % 360;
  const bool across = angle == 90 || angle == 270;
  const bool reverse = angle == 180 || angle == 270;
  const int length = across ? height : width;
  const int barLength = across ? width : height;
  if (length <= 0 || length > kMaxBarcodeLength || barLength <= 0) return;

  const SymbolPlan plan = PlanSymbol(text, symbology, length);
  if (plan.elements.empty()) return;

  const PenSpec savedPen = canvas.Pen();
  const BrushSpec savedBrush = canvas.Brush();
  canvas.SetPen({PenStyle::Solid, 0, 1});
  canvas.SetBrush({BrushStyle::Solid, 0});

  const int base = across ? top : left;
  // Start (inclusive) and end (exclusive) of an element along the symbol.
  const auto span = [&](double position, double w) {
    const double from = reverse ? base + length - position - w : base + position;
    return std::pair<double, double>(from, from + w);
  };
  double position = plan.start;
  for (const BarElement& element : plan.elements) {
    const double w = element.width * plan.step;
    if (element.bar) {
      const auto [from, to] = span(position, w);
      if (plan.modules) {
        const int a = RoundHalfEven(from), b = RoundHalfEven(to);
        canvas.FillRect(across ? PixelRect{left, a, left + barLength, b}
                               : PixelRect{a, top, b, top + barLength},
                        0);
      } else {
        const int first = RoundHalfEven(from), lines = RoundHalfEven(w);
        for (int i = 0; i < lines; ++i) {
          if (across) canvas.Line(left, first + i, left + barLength, first + i);
          else canvas.Line(first + i, top, first + i, top + barLength);
        }
      }
    }
    position += w;
  }

  canvas.SetPen(savedPen);
  canvas.SetBrush(savedBrush);
}

}  // namespace vemra
