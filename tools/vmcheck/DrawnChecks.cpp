#include "DrawnChecks.h"

#include <algorithm>
#include <cstdio>

#include "ProbeCanvas.h"
#include "SampleHolder.h"
#include "base/Text.h"
#include "layout/barcodes/BarcodeDrawing.h"
#include "layout/fields/DelimitedText.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/LayoutValues.h"
#include "layout/fields/ObjectTexts.h"
#include "layout/file/EmbeddedPictures.h"
#include "layout/file/PicturePaths.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/render/PixelRounding.h"

namespace vemra {
namespace {

// Rounding of text measures and of the renderer's own positions.
constexpr int kSlackPixels = 1;
// A picture this many times its box's pixels, both ways, is waste.
constexpr int kOversizeFactor = 4;

std::string Millimetres(int pixels) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f mm", pixels * 25.4 / kPrinterDpi);
  return text;
}

std::string Quoted(std::string_view value) { return "\"" + std::string(value) + "\""; }

PixelRect InkOf(const std::vector<Ink>& inks, Ink::Kind kind, bool& any) {
  PixelRect all{};
  any = false;
  for (const Ink& ink : inks) {
    if (ink.kind != kind) continue;
    all = any ? PixelRect{std::min(all.left, ink.area.left), std::min(all.top, ink.area.top),
                          std::max(all.right, ink.area.right), std::max(all.bottom, ink.area.bottom)}
              : ink.area;
    any = true;
  }
  return all;
}

struct Overrun {
  int across, down;
};
Overrun OverrunOf(const PixelRect& ink, const PixelRect& box) {
  return {std::max({box.left - ink.left, ink.right - box.right, 0}),
          std::max({box.top - ink.top, ink.bottom - box.bottom, 0})};
}

class RecordCheck {
 public:
  RecordCheck(const LayoutSide& side, std::size_t index, Problems& problems)
      : side_(side), index_(index), problems_(problems), box_(RecordBox(side.list[index])) {}

  const std::string& Record() const { return side_.list[index_]; }
  std::optional<PixelRect> Box() const {
    if (!box_) return std::nullopt;
    return PrinterBox(*box_);
  }
  void Add(std::string key, Severity severity, std::string message) {
    problems_.push_back({side_.name, side_.side, int(index_) + 1, std::move(key), severity,
                         std::move(message), box_});
  }

 private:
  const LayoutSide& side_;
  std::size_t index_;
  Problems& problems_;
  std::optional<MmBox> box_;
};

void CheckText(RecordCheck& check, const ProbeCanvas& probe) {
  const std::string& record = check.Record();
  // Group members stand after each other by design, memo lines below.
  if (!GetLayoutValue("grp", record).empty()) return;
  const bool memo = GetLayoutValue("typ", record) == "dtx" &&
                    !MemoPrefixOf(StripDbMarker(GetLayoutValue("dat", record))).empty();
  bool any = false;
  const PixelRect ink = InkOf(probe.Inks(), Ink::Text, any);
  const auto box = check.Box();
  if (!any || !box) return;
  const Overrun over = OverrunOf(ink, *box);
  if (over.across > kSlackPixels)
    check.Add("wid", Severity::Warning,
              "the text is " + Millimetres(ink.Width()) + " wide at its font size and overflows its box by " +
                  Millimetres(over.across));
  if (!memo && over.down > kSlackPixels)
    check.Add("hei", Severity::Warning,
              "the text is " + Millimetres(ink.Height()) + " tall at its font size and overflows its box by " +
                  Millimetres(over.down));
}

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
      collect(text, [](unsigned char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
      });
      break;
  }
  return bad;
}

void CheckBarcode(RecordCheck& check, const ProbeCanvas& probe, const DrawingServices& services) {
  const std::string& record = check.Record();
  const BarcodeSymbology symbology = SymbologyOf(GetLayoutValue("btp", record));
  const std::string dat = GetLayoutValue("dat", record);
  const std::string raw = IsSpecialExpression(dat)
                              ? EvaluateSpecial(dat, services.fields, services.formats)
                              : FieldValue(services.fields, StripDbMarker(dat));
  const std::string text = BarcodeText(record, services.fields, services.formats, {});
  if (const std::string bad = Unencodable(symbology, text, raw); !bad.empty())
    check.Add("dat", symbology == BarcodeSymbology::Interleaved2of5 ? Severity::Warning : Severity::Error,
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

void ReportMissingPicture(RecordCheck& check, const DrawingServices& services,
                          const std::vector<std::string>& errors) {
  const std::string& record = check.Record();
  const std::string dat = GetLayoutValue("dat", record);
  if (GetLayoutValue("typ", record) == "fim") {
    if (!errors.empty()) check.Add("dat", Severity::Error, "the embedded picture " + Quoted(dat) + " does not decode");
    else if (!services.files.FileExists(dat))
      check.Add("dat", Severity::Error, "the picture " + Quoted(dat) + " is neither embedded nor a file");
    else check.Add("dat", Severity::Error, "the picture file " + Quoted(dat) + " cannot be decoded");
    return;
  }
  if (!IsSpecialExpression(dat) && !HasField(services.fields, dat.substr(0, FindNoCase(dat, "[DB]"))))
    return;  // told as an unfilled field
  const std::string name = DataPictureName(dat, services.fields, services.formats);
  if (name.empty()) {
    check.Add("dat", Severity::Warning, "the field gives no picture name; nothing is drawn");
  } else if (auto file = FindPictureFile(name, services.hostFolder, services.files)) {
    check.Add("dat", Severity::Error, "the picture file " + Quoted(*file) + " cannot be decoded");
  } else {
    check.Add("dat", Severity::Error, "the picture " + Quoted(name) +
                                          " is found neither as given nor under dblogo\\, logo\\ or " +
                                          services.hostFolder);
  }
}

void CheckPicture(RecordCheck& check, const ProbeCanvas& probe, const DrawingServices& services,
                  const std::vector<std::string>& errors) {
  const std::string& record = check.Record();
  if (GetLayoutValue("typ", record) == "pho" && GetLayoutValue("knd", record) != "DB") return;
  const auto box = check.Box();
  if (!box || box->Width() <= 0 || box->Height() <= 0) return;
  bool drawn = false;
  for (const Ink& ink : probe.Inks()) {
    if (ink.kind != Ink::Picture) continue;
    drawn = true;
    if (ink.pictureWidth > kOversizeFactor * box->Width() &&
        ink.pictureHeight > kOversizeFactor * box->Height())
      check.Add("dat", Severity::Warning,
                "the picture is " + std::to_string(ink.pictureWidth) + " x " +
                    std::to_string(ink.pictureHeight) + " pixels for a box of " +
                    std::to_string(box->Width()) + " x " + std::to_string(box->Height()) +
                    " at " + std::to_string(kPrinterDpi) + " dpi; it slows printing");
  }
  if (!drawn) ReportMissingPicture(check, services, errors);
}

bool OpaqueRectangle(const std::string& record) {
  if (GetLayoutValue("typ", record) != "shp" || GetLayoutValue("prn", record) == "0") return false;
  try {
    const int kind = ParseLayoutIntegerOr(GetLayoutValue("knd", record), 0);
    const int fill = ParseLayoutInteger(GetLayoutValue("bcl", record));
    const int opacity = ParseLayoutIntegerOr(GetLayoutValue("opa", record), 100);
    return kind == 0 && fill >= 0 && opacity >= 100;
  } catch (const LayoutValueError&) {
    return false;
  }
}

bool Inside(const MmBox& inner, const MmBox& outer) {
  constexpr double kSlack = 0.01;
  return inner.left >= outer.left - kSlack && inner.top >= outer.top - kSlack &&
         inner.left + inner.width <= outer.left + outer.width + kSlack &&
         inner.top + inner.height <= outer.top + outer.height + kSlack;
}

}  // namespace

PixelRect PrinterBox(const MmBox& box) {
  const double px = kPrinterDpi / 25.4;
  const int left = RoundHalfEven(box.left * px), top = RoundHalfEven(box.top * px);
  return {left, top, left + RoundHalfEven(box.width * px), top + RoundHalfEven(box.height * px)};
}

void CheckDrawing(const LayoutSide& side, DrawingServices& services, Problems& problems) {
  if (side.list.empty()) return;
  std::vector<std::string> errors;
  RenderEnvironment env{services.fields, services.formats, services.files, services.store,
                        services.hostFolder};
  if (services.bindPictureHooks) services.bindPictureHooks(env);
  env.makeBitmapCanvas = {};  // no shadow picture: nothing is really drawn
  env.progressStep = {};
  env.processMessages = {};
  env.reportError = [&errors](const std::string& message) { errors.push_back(message); };
  ProbeCanvas probe(services.measure, kPrinterDpi);
  LayoutRenderer renderer(env);
  renderer.BeginJob(probe, OutputKind::Printer, 1.0);
  double cardWidth = 0, cardHeight = 0;
  try {
    cardWidth = ParseLayoutNumber(GetLayoutValue("wid", side.list.front()));
    cardHeight = ParseLayoutNumber(GetLayoutValue("hei", side.list.front()));
  } catch (const LayoutValueError&) {
    return;  // told by the record checks; nothing can be placed
  }
  for (std::size_t i = 1; i < side.list.size(); ++i) {
    probe.Clear();
    errors.clear();
    try {
      renderer.DrawLayoutRecord(i, side.list, probe, 0, cardHeight, cardWidth, 0, 0);
    } catch (const std::exception&) {
      continue;  // a value that does not convert, told by the record checks
    }
    RecordCheck check(side, i, problems);
    const std::string type = GetLayoutValue("typ", side.list[i]);
    if (type == "ftx" || type == "dtx") CheckText(check, probe);
    else if (type == "bam") CheckBarcode(check, probe, services);
    else if (type == "fim" || type == "pho") CheckPicture(check, probe, services, errors);
  }
}

void CheckHiddenObjects(const LayoutSide& side, Problems& problems) {
  const LayoutList& list = side.list;
  for (std::size_t cover = 2; cover < list.size(); ++cover) {
    if (!OpaqueRectangle(list[cover])) continue;
    const std::optional<MmBox> over = RecordBox(list[cover]);
    if (!over) continue;
    for (std::size_t i = 1; i < cover; ++i) {
      const std::string type = GetLayoutValue("typ", list[i]);
      if (type == "crd" || type.empty()) continue;
      const std::optional<MmBox> box = RecordBox(list[i]);
      if (!box || !Inside(*box, *over)) continue;
      problems.push_back({side.name, side.side, int(i) + 1, "", Severity::Warning,
                          "wholly hidden under the opaque shape on line " + std::to_string(cover + 1),
                          box});
    }
  }
}

}  // namespace vemra
