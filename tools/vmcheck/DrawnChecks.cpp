#include "DrawnChecks.h"

#include "RecordProbe.h"
#include "base/Text.h"
#include "layout/fields/FieldValues.h"
#include "layout/fields/LayoutValues.h"
#include "layout/fields/ObjectTexts.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/render/PixelRounding.h"

namespace vemra {
namespace {

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
              "the text is " + Millimetres(ink.Width()) +
                  " wide at its font size and overflows its box by " + Millimetres(over.across));
  if (!memo && over.down > kSlackPixels)
    check.Add("hei", Severity::Warning,
              "the text is " + Millimetres(ink.Height()) +
                  " tall at its font size and overflows its box by " + Millimetres(over.down));
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
  std::optional<PictureSize> shrunkFrom;
  env.shrinkingPicture = [&shrunkFrom](int width, int height) { shrunkFrom = {width, height}; };
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
    shrunkFrom.reset();
    try {
      renderer.DrawLayoutRecord(i, side.list, probe, 0, cardHeight, cardWidth, 0, 0);
    } catch (const std::exception&) {
      continue;  // a value that does not convert, told by the record checks
    }
    RecordCheck check(side, i, problems);
    const std::string type = GetLayoutValue("typ", side.list[i]);
    if (type == "ftx" || type == "dtx")
      CheckText(check, probe);
    else if (type == "bam")
      CheckBarcode(check, probe, services);
    else if (type == "fim" || type == "pho")
      CheckPicture(check, probe, services, errors, shrunkFrom);
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
      problems.push_back(
          {side.name, side.side, int(i) + 1, "", Severity::Warning,
           "wholly hidden under the opaque shape on line " + std::to_string(cover + 1), box});
    }
  }
}

}  // namespace vemra
