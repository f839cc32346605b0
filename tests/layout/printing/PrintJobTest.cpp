#include "layout/printing/PrintJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "base/Numbers.h"
#include "layout/file/LayoutContainerWriter.h"
#include "layout/fields/LayoutValues.h"
#include "layout/RecordingCanvas.h"

namespace vemra {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

class FakePrinters final : public PrinterService {
 public:
  explicit FakePrinters(Log& log) : log_(log) {}
  std::vector<std::string> ListPrinterNames() const override { return {"Kortskrivare PDF"}; }
  std::string CurrentPrinterName() const override { return "Kortskrivare PDF"; }
  bool SelectPrinter(const std::string&) override { return true; }
  void RefreshPrinter() override { log_.push_back("refresh"); }

 private:
  Log& log_;
};

class FakeDocument final : public PrinterDocument {
 public:
  FakeDocument(Log& log, const std::map<DeviceCap, int>& caps) : log_(log) { canvas_.caps = caps; }
  Canvas& Page() override { return canvas_; }
  void NewPage() override { log_.push_back("new page"); }
  void End() override { log_.push_back("end document"); }
  void Abort() override { log_.push_back("abort document"); }

 private:
  Log& log_;
  RecordingCanvas canvas_{300, 1, 1};
};

class FakeSurface final : public PictureSurface {
 public:
  FakeSurface(int width, int height) : picture_(width, height) {}
  Canvas& Output() override { return canvas_; }
  Bitmap Picture() override { return picture_; }

 private:
  RecordingCanvas canvas_{300, 1, 1};
  Bitmap picture_;
};

class FakePlatform final : public PrintPlatform {
 public:
  Log log;
  std::map<DeviceCap, int> printerCaps{{DeviceCap::LogPixelsX, 300},
                                       {DeviceCap::LogPixelsY, 300}};  // of each page
  std::map<std::string, std::string> modified;  // native path -> time text
  std::unique_ptr<FileSystem> files = MakePortableFileSystem();
  FakePrinters printers{log};
  Bitmap previewed;

  PrinterService& Printers() override { return printers; }
  FileSystem& Files() override { return *files; }
  void SetOrientation(PageOrientation o) override {
    log.push_back(o == PageOrientation::Landscape ? "landscape" : "portrait");
  }
  std::unique_ptr<PrinterDocument> BeginDocument(const std::string& title) override {
    log.push_back("begin document " + title);
    return std::make_unique<FakeDocument>(log, printerCaps);
  }
  DeviceCapsReader PrinterCaps() override {
    return [this](DeviceCap cap) { return printerCaps[cap]; };
  }
  std::unique_ptr<PictureSurface> MakePictureSurface(int width, int height) override {
    log.push_back("surface " + std::to_string(width) + "x" + std::to_string(height));
    return std::make_unique<FakeSurface>(width, height);
  }
  std::string ModificationTime(const std::string& path) override {
    auto found = modified.find(NativePath(path));
    return found == modified.end() ? "2026-12-08 10:00:00" : found->second;
  }
  char DecimalSeparator() override { return ','; }
  void ProcessMessages() override {}
  void ShowInformation(const std::string& text) override { log.push_back("message " + text); }
  void ShowError(const std::string& text) override { log.push_back("error " + text); }
  void ShowProgress(const std::string& title, int maximum) override {
    log.push_back("progress " + title + " " + std::to_string(maximum));
  }
  void CloseProgress() override { log.push_back("close progress"); }
  void ShowPreview(const Bitmap& picture) override {
    previewed = picture;
    log.push_back("preview " + std::to_string(picture.Width()) + "x" +
                  std::to_string(picture.Height()));
  }
};

// Logs each list by the "nam" of its first record, with angle and offsets
// in millimetres rounded to 0.01.
class RecordingDrawer final : public LayoutDrawer {
 public:
  explicit RecordingDrawer(Log& log) : log_(log) {}
  PixelSize extents{200, 120};
  std::string failOn;  // a list name whose drawing throws

  void BeginJob(Canvas& output, OutputKind kind, double scale) override {
    log_.push_back(std::string("job ") + (kind == OutputKind::Printer ? "printer" : "preview") +
                   " " + FormatDecimal(scale, '.') + " dpi " +
                   std::to_string(output.DeviceCaps(DeviceCap::LogPixelsX)));
  }
  void DrawLayoutList(const LayoutList& list, int angle, double x, double y) override {
    const std::string name = list.empty() ? "?" : GetLayoutValue("nam", list.front());
    if (name == failOn) throw LayoutValueError("'' is not a valid number");
    log_.push_back("draw " + name + " " + std::to_string(angle) + " " + Mm(x) + " " + Mm(y));
  }
  PixelSize JobExtents() const override { return extents; }

 private:
  static std::string Mm(double v) { return FormatDecimal(std::round(v * 100) / 100, '.'); }
  Log& log_;
};

class PrintJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vemra-printjob-" + std::string(::testing::UnitTest::GetInstance()
                                                   ->current_test_info()
                                                   ->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    job_.SetDrawer(&drawer_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Paths as the library gets them, with "\".
  std::string PathOf(const std::string& name) const {
    std::string path = (folder_ / name).string();
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return PathOf(name);
  }
  std::string WriteContainer(const std::string& name, const std::string& text,
                             const std::string& pictureName) {
    auto bytes = WriteLayoutContainer(text, {{pictureName, {'B', 'M', 0, 0}}});
    std::ofstream(folder_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return PathOf(name);
  }
  void Touch(const std::string& name, const std::string& time) {
    platform_.modified[(folder_ / name).string()] = time;
  }
  void Print(const std::string& path, double top = 0, double left = 0, int orientation = 0) {
    job_.PrintLayout(path, OutputKind::Printer, orientation, top, left, 100);
  }
  void Preview(const std::string& path, double top = 0, double left = 0) {
    job_.PrintLayout(path, OutputKind::Preview, 0, top, left, 50);
  }
  Log Draws() const {
    Log draws;
    for (const auto& e : platform_.log)
      if (e.rfind("draw ", 0) == 0 || e == "new page") draws.push_back(e);
    return draws;
  }

  fs::path folder_;
  FakePlatform platform_;
  FieldList fields_;
  RecordingDrawer drawer_{platform_.log};
  PrintJob job_{platform_, fields_};
};

const char* kFront = "typcsz\tnamfront\twid85,6\thei54\r\ntypftx\tdatx\r\n";

TEST_F(PrintJobTest, ReportOffsetIsComparedAsText) {
  const std::string path = Write("kort.cpb", kFront);
  struct Case {
    double left;
    OutputKind kind;
    bool report;
  } cases[] = {
      {0.99, OutputKind::Printer, true},
      {std::nextafter(0.99, 1.0), OutputKind::Printer, true},  // another double, the same text
      {0.990001, OutputKind::Printer, false},
      {0.98, OutputKind::Printer, false},
      {0.99, OutputKind::Preview, false},
  };
  for (const auto& c : cases) {
    platform_.log.clear();
    job_.PrintLayout(path, c.kind, 0, 0, c.left, 100);
    const bool reported = !platform_.log.empty() && platform_.log.back().rfind("message Kortskrivare PDF\r\n", 0) == 0;
    EXPECT_EQ(reported, c.report) << c.left;
    EXPECT_EQ(Draws().empty(), c.report) << c.left;
  }
}

TEST_F(PrintJobTest, OffsetsByOutputAndPhysicalEdge) {
  const std::string path = Write("kort.cpb", kFront);
  platform_.printerCaps[DeviceCap::PhysicalOffsetX] = 50;   // 4.23 mm at 300 dpi
  platform_.printerCaps[DeviceCap::PhysicalOffsetY] = 100;  // 8.47 mm
  struct Case {
    OutputKind kind;
    double top, left, scale;
    std::string draw;
  } cases[] = {
      {OutputKind::Printer, 2, 4, 100, "draw front 0 4 2"},
      {OutputKind::Printer, 2, 4, 50, "draw front 0 2 1"},
      // The left offset counts for nothing once the top asks for the edge.
      {OutputKind::Printer, -999, 4, 100, "draw front 0 -4.23 -8.47"},
      {OutputKind::Printer, -999, 0, 50, "draw front 0 -2.12 -4.23"},
      {OutputKind::Preview, -999, 4, 50, "draw front 0 0 0"},
      {OutputKind::Preview, 2, 4, 50, "draw front 0 0 0"},
  };
  for (const auto& c : cases) {
    platform_.log.clear();
    job_.PrintLayout(path, c.kind, 0, c.top, c.left, c.scale);
    EXPECT_EQ(Draws(), Log{c.draw}) << c.top << " " << c.left << " " << c.scale;
  }
}

TEST_F(PrintJobTest, BackSideOnlyWithNewPageOrSheet) {
  Write("bak.cpc", "typcsz\tnamback\r\ntypftx\r\ntypftx\r\n");
  struct Case {
    std::string card;
    OutputKind kind;
    Log draws;
    std::string progress;
  } cases[] = {
      {"typcsz\tnamfront\tbakbak", OutputKind::Printer, {"draw front 0 0 0"}, "progress k.cpb 1"},
      {"typcsz\tnamfront\tbakbak\tmalBacksideNewPage", OutputKind::Printer,
       {"draw front 0 0 0", "new page", "draw back 0 0 0"}, "progress k.cpb 4"},
      {"typcsz\tnamfront\tbakbak\tmalBacksideNewPage", OutputKind::Preview,
       {"draw front 0 0 0", "draw back 0 0 0"}, "progress k.cpb 4"},
      // No back file: the front alone.
      {"typcsz\tnamfront\tbakgone\tmalBacksideNewPage", OutputKind::Printer,
       {"draw front 0 0 0"}, "progress k.cpb 1"},
      // A sheet that does not exist does not stop the card.
      {"typcsz\tnamfront\tbakbak\tmalnosheet", OutputKind::Printer, {"draw front 0 0 0"},
       "progress k.cpb 1"},
  };
  for (const auto& c : cases) {
    const std::string path = Write("k.cpb", c.card);
    Touch("k.cpb", c.card);  // a new key for every case
    platform_.log.clear();
    job_.PrintLayout(path, c.kind, 0, 0, 0, 100);
    EXPECT_EQ(Draws(), c.draws) << c.card;
    EXPECT_EQ(std::count(platform_.log.begin(), platform_.log.end(), c.progress), 1) << c.card;
  }
}

TEST_F(PrintJobTest, PreviewShowsOnePictureCutToTheCards) {
  Write("bak.cpc", "typcsz\tnamback\r\n");
  const std::string path = Write("k.cpb", "typcsz\tnamfront\tbakbak\tmalBacksideNewPage\r\n");
  drawer_.extents = {324, 204};
  Preview(path, 5, 5);
  EXPECT_EQ(platform_.log,
            (Log{"surface 1188x1188", "job preview 0.5 dpi 300", "progress k.cpb 2",
                 "draw front 0 0 0", "draw back 0 0 0", "close progress", "preview 324x204"}));
}

TEST_F(PrintJobTest, SheetPlacesFrontAndBackEachTurnedByItsAngle) {
  Write("bak.cpc", "typcsz\tnamback\r\ntypftx\r\n");
  Write("ark.cpm",
        "typcsz\tnamsheet\r\n"
        "typcrd\tlft10\ttop20\tang90\r\n"
        "typcrd\tlft60,5\ttop20\tang180\ttpeb\r\n"
        "typcrd\tlft0\ttop80\tbak1\r\n");
  const std::string path = Write("k.cpb", "typcsz\tnamfront\tbakbak\tmalark\r\ntypftx\r\ntypftx\r\n");
  Print(path, 2, 1);
  EXPECT_EQ(Draws(), (Log{"draw sheet 0 1 2", "draw front 90 11 22", "draw back 180 61.5 22",
                          "draw back 0 1 82"}));
  // 4 sheet records + 3 front + 2 back + 2 back
  EXPECT_EQ(std::count(platform_.log.begin(), platform_.log.end(), "progress k.cpb 11"), 1);

  // Preview at half size scales the places, offsets stay 0.
  platform_.log.clear();
  Preview(path);
  EXPECT_EQ(Draws(), (Log{"draw sheet 0 0 0", "draw front 90 5 10", "draw back 180 30.25 10",
                          "draw back 0 0 40"}));
}

TEST_F(PrintJobTest, SheetWithoutBackFileLeavesBackPlacesEmpty) {
  Write("ark.cpm", "typcsz\tnamsheet\r\ntypcrd\tlft1\r\ntypcrd\tlft2\ttpeb\r\n");
  const std::string path = Write("k.cpb", "typcsz\tnamfront\tbakbak\tmalark\r\n");
  Print(path);
  EXPECT_EQ(Draws(), (Log{"draw sheet 0 0 0", "draw front 0 1 0"}));
  EXPECT_EQ(std::count(platform_.log.begin(), platform_.log.end(), "progress k.cpb 4"), 1);
}

TEST_F(PrintJobTest, LayoutOrientationRestartsTheDocument) {
  Write("ark.cpm", "typcsz\tnamsheet\tori1\r\n");
  struct Case {
    std::string card;
    int orientation;
    Log expected;
  } cases[] = {
      {"typcsz\tnamfront", 2,
       {"refresh", "landscape", "begin document VemraSDK", "job printer 1 dpi 300"}},
      {"typcsz\tnamfront\tori2", 1,
       {"refresh", "portrait", "begin document VemraSDK", "job printer 1 dpi 300",
        "abort document", "landscape", "begin document VemraSDK", "job printer 1 dpi 300"}},
      // The sheet's orientation rules when there is a sheet.
      {"typcsz\tnamfront\tori2\tmalark", 0,
       {"refresh", "begin document VemraSDK", "job printer 1 dpi 300", "abort document",
        "portrait", "begin document VemraSDK", "job printer 1 dpi 300"}},
  };
  for (const auto& c : cases) {
    const std::string path = Write("k.cpb", c.card);
    Touch("k.cpb", c.card);
    platform_.log.clear();
    Print(path, 0, 0, c.orientation);
    Log head(platform_.log.begin(), platform_.log.begin() + c.expected.size());
    EXPECT_EQ(head, c.expected) << c.card;
    EXPECT_EQ(platform_.log.back(), "end document");
  }
}

TEST_F(PrintJobTest, UnchangedLayoutsAreReadOnce) {
  const std::string path = WriteContainer("k.cpb", "typcsz\tnamfront\r\ntypfim\tdatlogo.bmp\r\n", "logo.bmp");
  Print(path);
  EXPECT_EQ(job_.Pictures().Count(), 1u);

  // Same key: the list in memory is drawn, not the new file.
  Write("k.cpb", "typcsz\tnamedited\r\n");
  platform_.log.clear();
  Print(path);
  EXPECT_EQ(Draws(), Log{"draw front 0 0 0"});
  EXPECT_EQ(job_.Pictures().Count(), 1u);

  Touch("k.cpb", "2026-12-08 10:00:05");
  platform_.log.clear();
  Print(path);
  EXPECT_EQ(Draws(), Log{"draw edited 0 0 0"});
  EXPECT_EQ(job_.Pictures().Count(), 0u);
}

TEST_F(PrintJobTest, ChangedBackFileReplacesItsPictures) {
  WriteContainer("bak.cpc", "typcsz\tnamback\r\ntypfim\tdatlogo.bmp\r\n", "logo.bmp");
  const std::string path = Write("k.cpb", "typcsz\tnamfront\tbakbak\tmalBacksideNewPage\r\n");
  Print(path);
  ASSERT_EQ(job_.Pictures().Count(), 1u);

  WriteContainer("bak.cpc", "typcsz\tnamback2\r\ntypfim\tdatlogo.bmp\r\n", "logo.bmp");
  Touch("bak.cpc", "2026-12-08 11:00:00");
  platform_.log.clear();
  Print(path);
  EXPECT_EQ(Draws(), (Log{"draw front 0 0 0", "new page", "draw back2 0 0 0"}));
  // Not the old picture of that name first in line.
  EXPECT_EQ(job_.Pictures().Count(), 1u);
}

TEST_F(PrintJobTest, DataTableReplacesTheFields) {
  Write("tabell.dat", "Namn\tAnna\r\nOrt\tVisby\r\n");
  fields_.Add("Namn", "Bertil");
  Print(Write("k.cpb", "typcsz\tnamfront\ttbltabell\r\n"));
  EXPECT_EQ(fields_.Lines(), (std::vector<std::string>{"Namn\tAnna", "Ort\tVisby"}));

  // No table file: the fields stay as the request made them.
  fields_.Clear();
  fields_.Add("Namn", "Bertil");
  Write("k.cpb", "typcsz\tnamfront\ttblsaknas\r\n");
  Touch("k.cpb", "later");
  Print(PathOf("k.cpb"));
  EXPECT_EQ(fields_.Lines(), std::vector<std::string>{"Namn\tBertil"});
}

TEST_F(PrintJobTest, MissingLayoutIsReportedAndNothingStarts) {
  const std::string path = PathOf("saknas.cpb");
  Print(path);
  EXPECT_EQ(platform_.log, Log{"message Failed to open " + path});
}

TEST_F(PrintJobTest, DrawingFailureAbortsTheDocumentAndPropagates) {
  Write("bak.cpc", "typcsz\tnamback\r\n");
  const std::string path = Write("k.cpb", "typcsz\tnamfront\tbakbak\tmalBacksideNewPage\r\n");
  drawer_.failOn = "back";
  EXPECT_THROW(Print(path), LayoutValueError);
  EXPECT_EQ(platform_.log,
            (Log{"refresh", "begin document VemraSDK", "job printer 1 dpi 300",
                 "progress k.cpb 2", "draw front 0 0 0", "new page", "abort document",
                 "close progress"}));

  // The next job starts clean.
  drawer_.failOn.clear();
  platform_.log.clear();
  Print(path);
  EXPECT_EQ(platform_.log.back(), "end document");
}

}  // namespace
}  // namespace vemra
