#include "win32/ProofPicture.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "DrawnChecks.h"
#include "PngWriter.h"
#include "ProbeCanvas.h"
#include "ToolPlatform.h"
#include "layout/fields/LayoutValues.h"
#include "layout/render/ForwardingCanvas.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/render/win32/GdiCanvas.h"

namespace vemra {
namespace {

constexpr int kGapPixels = 40;     // between front, back and sheet
constexpr int kOutlineMargin = 6;  // between a box and its red outline
constexpr int kLabelHeight = 36;

// A GDI bitmap that says it has the printer's resolution, so that the
// renderer sizes everything as on the printer's page; fonts are made in
// pixels, so GDI draws them alike on either device.
class AtPrinterResolution final : public ForwardingCanvas<> {
 public:
  explicit AtPrinterResolution(GdiBitmapCanvas& gdi) : ForwardingCanvas(gdi) {}
  int DeviceCaps(DeviceCap cap) const override {
    if (cap == DeviceCap::LogPixelsX || cap == DeviceCap::LogPixelsY) return kPrinterDpi;
    return ForwardingCanvas::DeviceCaps(cap);
  }
};

Bitmap White(int width, int height) {
  Bitmap white(width, height);
  for (int y = 0; y < height; ++y) std::fill_n(white.Row(y), std::size_t(width) * 3, 0xFF);
  return white;
}

// Stand-ins for the holder's photo and signature: grey, so that no red
// on the proof can come from them.
Bitmap Grey(int width, int height) {
  Bitmap grey(width, height);
  for (int y = 0; y < height; ++y) std::fill_n(grey.Row(y), std::size_t(width) * 3, 0xB0);
  return grey;
}

struct ProofJob {
  const CheckResult& result;
  RenderEnvironment& env;
};

// The records that draw without ending the job: a print job ends at the
// first value that does not convert, the proof shows everything else.
LayoutList DrawableRecords(const LayoutList& list, const RenderEnvironment& env) {
  RenderEnvironment quiet = env;
  quiet.makeBitmapCanvas = {};
  quiet.reportError = {};
  const std::unique_ptr<TextMeasure> measure = MakeEstimatingMeasure();
  ProbeCanvas probe(*measure, kPrinterDpi);
  LayoutRenderer renderer(quiet);
  renderer.BeginJob(probe, OutputKind::Printer, 1.0);
  LayoutList drawable{list.front()};
  const std::optional<MmBox> card = RecordBox(list.front());
  for (std::size_t i = 1; i < list.size() && card; ++i) {
    try {
      renderer.DrawLayoutRecord(i, list, probe, 0, card->height, card->width, 0, 0);
      drawable.push_back(list[i]);
    } catch (const std::exception&) {
      // told in the report
    }
  }
  return drawable;
}

void DrawCards(const LayoutSide& side, const ProofJob& job, LayoutRenderer& renderer) {
  const CardFiles& card = job.result.card;
  const LayoutList front = DrawableRecords(card.front.list, job.env);
  const LayoutList back =
      card.back.present ? DrawableRecords(card.back.list, job.env) : LayoutList{};
  if (side.side != CardSide::Sheet) {
    renderer.DrawLayoutList(side.side == CardSide::Front ? front : back, 0, 0, 0);
    return;
  }
  renderer.DrawLayoutList(DrawableRecords(side.list, job.env), 0, 0, 0);
  for (const std::string& record : side.list) {
    if (GetLayoutValue("typ", record) != "crd") continue;
    const bool backPlace =
        GetLayoutValue("tpe", record) == "b" || GetLayoutValue("bak", record) == "1";
    if (backPlace && !card.back.present) continue;
    try {
      renderer.DrawLayoutList(backPlace ? back : front,
                              ParseLayoutIntegerOr(GetLayoutValue("ang", record), 0),
                              ParseLayoutNumber(GetLayoutValue("lft", record)),
                              ParseLayoutNumber(GetLayoutValue("top", record)));
    } catch (const LayoutValueError&) {
      // told by the checks
    }
  }
}

void OutlineProblems(const LayoutSide& side, const Problems& problems, GdiBitmapCanvas& canvas) {
  canvas.SetPen({PenStyle::Solid, kProofRed, 3});
  canvas.SetBrush({BrushStyle::Clear, 0});
  FontSpec font;
  font.height = -kLabelHeight;
  font.bold = true;
  font.colour = kProofRed;
  canvas.SetFont(font);
  for (std::size_t i = 0; i < problems.size(); ++i) {
    const Problem& problem = problems[i];
    if (problem.side != side.side || !problem.box) continue;
    PixelRect box = PrinterBox(*problem.box);
    box = {box.left - kOutlineMargin, box.top - kOutlineMargin, box.right + kOutlineMargin,
           box.bottom + kOutlineMargin};
    canvas.Rectangle(box);
    const int above = box.top - kLabelHeight - 4;
    canvas.TextOut(box.left, above >= 0 ? above : box.bottom + 4, std::to_string(i + 1));
  }
}

Bitmap DrawSide(const LayoutSide& side, const ProofJob& job) {
  const std::optional<MmBox> size = RecordBox(side.list.front());
  if (!size) return {};
  const PixelRect area = PrinterBox({0, 0, size->width, size->height});
  if (area.Width() <= 0 || area.Height() <= 0) return {};
  GdiBitmapCanvas canvas(White(area.Width(), area.Height()));
  AtPrinterResolution output(canvas);
  LayoutRenderer renderer(job.env);
  renderer.BeginJob(output, OutputKind::Printer, 1.0);
  DrawCards(side, job, renderer);
  OutlineProblems(side, job.result.problems, canvas);
  return canvas.Pixels();
}

Bitmap Stack(const std::vector<Bitmap>& parts) {
  int width = 0, height = 0;
  for (const Bitmap& part : parts) {
    width = std::max(width, part.Width());
    height += part.Height() + (height > 0 ? kGapPixels : 0);
  }
  if (width == 0) return {};
  Bitmap all = White(width, height);
  int top = 0;
  for (const Bitmap& part : parts) {
    for (int y = 0; y < part.Height(); ++y)
      std::memcpy(all.Row(top + y), part.Row(y), std::size_t(part.Width()) * 3);
    top += part.Height() + kGapPixels;
  }
  return all;
}

}  // namespace

Bitmap RenderProof(const CheckResult& result, const RegionalFormats& formats,
                   const FileSystem& files,
                   const std::function<void(RenderEnvironment&)>& bindPictureHooks) {
  FieldList fields = result.fields;
  PictureStore store = result.card.store;
  Picture photo, signature;
  photo.SetBitmap(Grey(300, 400));
  signature.SetBitmap(Grey(400, 100));
  RenderEnvironment env{fields, formats, files, store, result.hostFolder, &photo, &signature};
  if (bindPictureHooks) bindPictureHooks(env);
  const ProofJob job{result, env};
  std::vector<Bitmap> parts;
  for (const LayoutSide* side : {&result.card.front, &result.card.back, &result.card.sheet}) {
    if (!side->present || side->list.empty()) continue;
    Bitmap part = DrawSide(*side, job);
    if (!part.Empty()) parts.push_back(std::move(part));
  }
  return Stack(parts);
}

bool WriteProofPicture(const CheckResult& result, const ToolPlatform& platform,
                       const std::string& path, std::string& error) {
  try {
    const Bitmap proof =
        RenderProof(result, *platform.formats, *platform.files, platform.bindPictureHooks);
    if (proof.Empty()) {
      error = "the layout has no card to draw";
      return false;
    }
    if (WritePngFile(path, proof)) return true;
    error = "cannot write " + path;
  } catch (const std::exception& e) {
    error = e.what();
  }
  return false;
}

}  // namespace vemra
