#include "layout/printing/PrintJob.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/Numbers.h"
#include "layout/fields/LayoutValues.h"
#include "layout/printing/PrinterReport.h"

namespace vemra {
namespace {

const std::string& CardRecord(const LayoutList& list) {
  static const std::string none;
  return list.empty() ? none : list.front();
}

std::string FileNameOf(const std::string& path) {
  auto slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The upper-left part of a 24-bit picture.
Bitmap CutPicture(const Bitmap& picture, int width, int height) {
  width = std::clamp(width, 1, std::max(1, picture.Width()));
  height = std::clamp(height, 1, std::max(1, picture.Height()));
  if (width == picture.Width() && height == picture.Height()) return picture;
  Bitmap cut(width, height);
  const int rows = std::min(height, picture.Height());
  const int columns = std::min(width, picture.Width());
  for (int y = 0; y < rows; ++y) std::memcpy(cut.Row(y), picture.Row(y), std::size_t(columns) * 3);
  return cut;
}

// Orientation numbers as layouts and callers give them; anything else
// leaves the printer's own setting.
void ApplyOrientation(PrintPlatform& platform, int orientation) {
  if (orientation == 1) platform.SetOrientation(PageOrientation::Portrait);
  if (orientation == 2) platform.SetOrientation(PageOrientation::Landscape);
}

int OrientationOf(const std::string& record) {
  const std::string value = GetLayoutValue("ori", record);
  int orientation = 0;
  try {
    orientation = ParseLayoutIntegerOr(value, 0);
  } catch (const LayoutValueError&) {
    orientation = 0;  // same as an orientation we do not know
  }
  return orientation;
}

bool IsBackPlace(const std::string& record) {
  return GetLayoutValue("tpe", record) == "b" || GetLayoutValue("bak", record) == "1";
}

bool IsCardPlace(const std::string& record) { return GetLayoutValue("typ", record) == "crd"; }

}  // namespace

void ShowPrinterReport(PrintPlatform& platform, const std::string& printerName) {
  PrinterService& printers = platform.Printers();
  if (!printerName.empty()) printers.SelectPrinter(printerName);
  printers.RefreshPrinter();
  // The printer whose values are shown, also when the given name matched
  // none and the current printer stayed.
  const std::string name = printers.CurrentPrinterName();
  platform.ShowInformation(
      PrinterReportText(name, platform.PrinterCaps(), platform.DecimalSeparator()));
}

// The printer document or the preview picture of one job.
class PrintJob::Output {
 public:
  Output(PrintPlatform& platform, OutputKind kind) : platform_(platform), kind_(kind) {}

  bool Printing() const { return kind_ == OutputKind::Printer; }

  void BeginPreview() { surface_ = platform_.MakePictureSurface(kPreviewPictureSize, kPreviewPictureSize); }
  void BeginDocument(const std::string& title) {
    title_ = title;
    document_ = platform_.BeginDocument(title);
  }

  Canvas& Target() { return document_ ? document_->Page() : surface_->Output(); }

  // Abandons the started document and begins another with `orientation`.
  void Restart(int orientation) {
    Abort();
    ApplyOrientation(platform_, orientation);
    document_ = platform_.BeginDocument(title_);
  }
  void NewPage() {
    if (document_) document_->NewPage();
  }
  void EndDocument() {
    if (!document_) return;
    auto document = std::move(document_);
    document->End();
  }
  void Abort() noexcept {
    if (!document_) return;
    auto document = std::move(document_);
    try {
      document->Abort();
    } catch (...) {
      // Already failing; the first error is the one to report.
    }
  }
  Bitmap Picture() { return surface_->Picture(); }

 private:
  PrintPlatform& platform_;
  OutputKind kind_;
  std::string title_;
  std::unique_ptr<PrinterDocument> document_;
  std::unique_ptr<PictureSurface> surface_;
};

PrintJob::PrintJob(PrintPlatform& platform, FieldList& fields)
    : platform_(platform), fields_(fields) {}

void PrintJob::PrintLayout(const std::string& layout, OutputKind kind, int orientation,
                           double topOffset, double leftOffset, double scale) {
  if (!drawer_) throw std::logic_error("print job without a layout drawer");
  const bool printing = kind == OutputKind::Printer;
  // Compared as the texts the settings dialog shows, so 0.990001 prints.
  if (printing && FormatDecimal(leftOffset, '.') == FormatDecimal(kPrinterReportOffset, '.')) {
    ShowPrinterReport(platform_, "");
    return;
  }
  platform_.ProcessMessages();
  if (!platform_.Files().FileExists(layout)) {
    platform_.ShowInformation("Failed to open " + layout);
    return;
  }
  layoutFolder_ = FolderOf(layout);

  Output output(platform_, kind);
  if (printing) {
    platform_.Printers().RefreshPrinter();
    ApplyOrientation(platform_, orientation);
    platform_.ProcessMessages();
    output.BeginDocument(title_);
  } else {
    output.BeginPreview();
    topOffset = leftOffset = 0;
  }

  bool progressShown = false;
  try {
    platform_.ProcessMessages();
    const double scaleFactor = scale / 100;
    drawer_->BeginJob(output.Target(), kind, scaleFactor);

    if (!LoadLayouts(layout)) {
      output.Abort();
      platform_.ShowInformation("Failed to open " + layout);
      return;
    }
    const std::string& card = CardRecord(front_.list);
    const bool backsideNewPage = GetLayoutValue("mal", card) == kBacksideNewPage;

    // A document restarted for another orientation is a new canvas.
    const std::string& orientationRecord = sheet_.present ? CardRecord(sheet_.list) : card;
    if (printing && !GetLayoutValue("ori", orientationRecord).empty()) {
      output.Restart(OrientationOf(orientationRecord));
      drawer_->BeginJob(output.Target(), kind, scaleFactor);
    }

    // Measured on the document actually drawn, whose orientation may have
    // changed since it was begun.
    if (printing && topOffset == kPhysicalEdgeOffset) {
      const Canvas& page = output.Target();
      const double px = page.DeviceCaps(DeviceCap::LogPixelsX) / 25.4;
      const double py = page.DeviceCaps(DeviceCap::LogPixelsY) / 25.4;
      leftOffset = px > 0 ? -page.DeviceCaps(DeviceCap::PhysicalOffsetX) / px : 0;
      topOffset = py > 0 ? -page.DeviceCaps(DeviceCap::PhysicalOffsetY) / py : 0;
    }
    const double xOffset = scaleFactor * leftOffset;
    const double yOffset = scaleFactor * topOffset;

    progressShown = true;
    const std::string progressTitle = FileNameOf(layout);
    if (sheet_.present) {
      DrawSheet(progressTitle, scaleFactor, xOffset, yOffset);
    } else {
      DrawCard(output, progressTitle, xOffset, yOffset, backsideNewPage);
    }
    progressShown = false;
    platform_.CloseProgress();

    if (printing) {
      output.EndDocument();
      return;
    }
  } catch (...) {
    // Nothing of a failed card reaches the spooler.
    output.Abort();
    if (progressShown) platform_.CloseProgress();
    throw;
  }

  const PixelSize extents = drawer_->JobExtents();
  platform_.ShowPreview(CutPicture(output.Picture(), extents.width, extents.height));
}

bool PrintJob::LoadLayouts(const std::string& layout) {
  const std::string frontKey = layout + platform_.ModificationTime(layout);
  // Pictures of every file share one store whose first match wins, so a
  // changed back or sheet file is only safe to read with all the others.
  bool reload = frontKey != front_.key;
  auto sidePath = [this](const char* key, const char* extension) -> std::string {
    const std::string name = GetLayoutValue(key, CardRecord(front_.list));
    if (name.empty()) return {};
    if (std::string_view(key) == "mal" && name == kBacksideNewPage) return {};
    return layoutFolder_ + name + extension;
  };
  auto stale = [this](const Side& side, const std::string& path) {
    if (path.empty() || !platform_.Files().FileExists(path)) return false;
    return side.key != path + platform_.ModificationTime(path);
  };
  if (!reload)
    reload = stale(back_, sidePath("bak", ".cpc")) || stale(sheet_, sidePath("mal", ".cpm"));

  if (reload) {
    pictures_.Clear();
    front_.key.clear();
    back_ = Side{};
    sheet_ = Side{};
    if (!LoadLayoutFile(layout, front_.list, pictures_)) return false;
    front_.key = frontKey;
  }
  LoadDataTable(CardRecord(front_.list));
  Reload(back_, sidePath("bak", ".cpc"), reload);
  Reload(sheet_, sidePath("mal", ".cpm"), reload);
  return true;
}

bool PrintJob::Reload(Side& side, const std::string& path, bool force) {
  side.present = !path.empty() && platform_.Files().FileExists(path);
  if (!side.present) return false;
  if (!force) return false;
  const std::string key = path + platform_.ModificationTime(path);
  side.key.clear();
  if (!LoadLayoutFile(path, side.list, pictures_)) {
    // Unreadable is treated as missing, and tried again next job.
    side.present = false;
    return false;
  }
  side.key = key;
  return true;
}

void PrintJob::LoadDataTable(const std::string& cardRecord) {
  const std::string table = GetLayoutValue("tbl", cardRecord);
  if (table.empty()) return;
  const std::string path = layoutFolder_ + table + ".dat";
  if (!platform_.Files().FileExists(path)) return;
  std::string text;
  if (ReadWholeFile(path, text)) fields_.LoadFromText(text);
}

void PrintJob::DrawSheet(const std::string& progressTitle, double scale, double xOffset,
                         double yOffset) {
  int maximum = int(sheet_.list.size());
  for (const auto& record : sheet_.list) {
    if (!IsCardPlace(record)) continue;
    if (!IsBackPlace(record)) maximum += int(front_.list.size());
    else if (back_.present) maximum += int(back_.list.size());
  }
  platform_.ShowProgress(progressTitle, maximum);
  DrawList(sheet_.list, 0, xOffset, yOffset);
  for (const auto& record : sheet_.list) {
    if (!IsCardPlace(record)) continue;
    const int angle = ParseLayoutIntegerOr(GetLayoutValue("ang", record), 0);
    const double left = ParseLayoutNumber(GetLayoutValue("lft", record, scale)) + xOffset;
    const double top = ParseLayoutNumber(GetLayoutValue("top", record, scale)) + yOffset;
    if (!IsBackPlace(record)) {
      DrawList(front_.list, angle, left, top);
    } else if (back_.present) {
      DrawList(back_.list, angle, left, top);
    }
  }
}

void PrintJob::DrawCard(Output& output, const std::string& progressTitle, double xOffset,
                        double yOffset, bool backsideNewPage) {
  const bool withBack = back_.present && backsideNewPage;
  const int maximum = int(front_.list.size()) + (withBack ? int(back_.list.size()) : 0);
  platform_.ShowProgress(progressTitle, maximum);
  DrawList(front_.list, 0, xOffset, yOffset);
  if (withBack) {
    // In the preview the back shares the front's picture.
    if (output.Printing()) output.NewPage();
    DrawList(back_.list, 0, xOffset, yOffset);
  }
}

void PrintJob::DrawList(const LayoutList& list, int angle, double xOffset, double yOffset) {
  platform_.ProcessMessages();
  drawer_->DrawLayoutList(list, angle, xOffset, yOffset);
}

}  // namespace vemra
