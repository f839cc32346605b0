// Barcode data the symbology cannot encode, and bars past their box.
#include "RecordProbe.h"
#include "layout/barcodes/BarcodeDrawing.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/LayoutValues.h"

namespace vemra {
namespace {

// What the symbology cannot encode of the text the barcode draws.
std::string Unencodable(BarcodeSymbology symbology, const std::string& text,
                        const std::string& raw) {
  std::string bad;
  auto collect = [&bad](const std::string& from, auto&& ok) {
    for (char c : from)
      if (!ok(static_cast<unsigned char>(c)) && bad.find(c) == std::string::npos) bad += c;
  };
  switch (symbology) {
    case BarcodeSymbology::Code39:
      collect(text, [](unsigned char c) {
        return std::string_view("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -.$/+%").find(char(c)) !=
               std::string_view::npos;
      });
      break;
    case BarcodeSymbology::Interleaved2of5:
      collect(raw, [](unsigned char c) { return c >= '0' && c <= '9'; });
      break;
    case BarcodeSymbology::Code128:
    case BarcodeSymbology::Ean128:
      collect(text, [](unsigned char c) { return c < 128; });
      break;
    case BarcodeSymbology::Plessey:
      collect(text,
              [](unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
      break;
  }
  return bad;
}

}  // namespace

void CheckBarcode(RecordCheck& check, const ProbeCanvas& probe, const DrawingServices& services) {
  const std::string& record = check.Record();
  const BarcodeSymbology symbology = SymbologyOf(GetLayoutValue("btp", record));
  const std::string dat = GetLayoutValue("dat", record);
  const std::string raw = IsSpecialExpression(dat)
                              ? EvaluateSpecial(dat, services.fields, services.formats)
                              : FieldValue(services.fields, StripDbMarker(dat));
  const std::string text = BarcodeText(record, services.fields, services.formats, {});
  if (const std::string bad = Unencodable(symbology, text, raw); !bad.empty())
    check.Add(
        "dat", symbology == BarcodeSymbology::Interleaved2of5 ? Severity::Warning : Severity::Error,
        "the symbology cannot encode " + Quoted(bad) + " of " + Quoted(raw) +
            (symbology == BarcodeSymbology::Interleaved2of5 ? "; they are left out"
                                                            : "; the symbol will not read back"));
  bool any = false;
  const PixelRect ink = InkOf(probe.Inks(), Ink::Bar, any);
  const auto box = check.Box();
  if (any && box) {
    const Overrun over = OverrunOf(ink, *box);
    if (std::max(over.across, over.down) > kSlackPixels)
      check.Add("wid", Severity::Warning,
                "the bars run " + Millimetres(std::max(over.across, over.down)) +
                    " past the box at " + std::to_string(kPrinterDpi) + " dpi");
  }
  if (probe.VanishedBars() > 0)
    check.Add("wid", Severity::Warning,
              std::to_string(probe.VanishedBars()) + " bars are narrower than a dot at " +
                  std::to_string(kPrinterDpi) + " dpi; the symbol may not read back");
}

}  // namespace vemra
