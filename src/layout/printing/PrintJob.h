#pragma once
// The print job: loads a card's front, back and sheet layouts, draws them
// on the current printer or into a preview picture, and keeps the loaded
// layouts and their pictures for the next job.
#include <string>

#include "layout/fields/FieldValues.h"
#include "layout/render/LayoutDrawer.h"
#include "layout/file/LayoutFile.h"
#include "layout/file/PictureStore.h"
#include "layout/printing/PrintPlatform.h"

namespace vemra {

// The preview picture's size before it is cut to the cards drawn.
constexpr int kPreviewPictureSize = 1188;
// A top offset that makes layouts count from the paper's physical edge.
constexpr double kPhysicalEdgeOffset = -999;
// A left offset that asks for the printer report instead of a card.
constexpr double kPrinterReportOffset = 0.99;
constexpr const char* kBacksideNewPage = "BacksideNewPage";

// Shows the report of the named printer (empty: the current one).
void ShowPrinterReport(PrintPlatform& platform, const std::string& printerName);

class PrintJob {
 public:
  // `fields` is the card's field list, replaced by a layout's data table.
  PrintJob(PrintPlatform& platform, FieldList& fields);

  // The renderer, made per job over Pictures() of this one; null clears it.
  void SetDrawer(LayoutDrawer* drawer) { drawer_ = drawer; }
  void SetDocumentTitle(std::string title) { title_ = std::move(title); }

  // Runs one job. `orientation` 1 portrait, 2 landscape, else the printer's
  // own; offsets in millimetres, `scale` in percent. Drawing failures
  // abort the printer document and propagate.
  void PrintLayout(const std::string& layout, OutputKind kind, int orientation,
                   double topOffset, double leftOffset, double scale);

  PictureStore& Pictures() { return pictures_; }
  const std::string& LayoutFolder() const { return layoutFolder_; }

 private:
  struct Side {
    LayoutList list;
    std::string key;  // path + modification time of what `list` holds
    bool present = false;
  };
  class Output;

  bool LoadLayouts(const std::string& layout);
  bool Reload(Side& side, const std::string& path, bool force);
  void LoadDataTable(const std::string& cardRecord);
  void DrawSheet(const std::string& progressTitle, double scale, double xOffset,
                 double yOffset);
  void DrawCard(Output& output, const std::string& progressTitle, double xOffset,
                double yOffset, bool backsideNewPage);
  void DrawList(const LayoutList& list, int angle, double xOffset, double yOffset);

  PrintPlatform& platform_;
  FieldList& fields_;
  LayoutDrawer* drawer_ = nullptr;
  std::string title_ = "VemraSDK";
  Side front_, back_, sheet_;
  PictureStore pictures_;
  std::string layoutFolder_;
};

}  // namespace vemra
