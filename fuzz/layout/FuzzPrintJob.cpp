// The print job over files from outside: a front layout, the back side
// and the sheet it names, and its data table, separated by NUL bytes in
// the input and written as card.cpb, b.cpc, m.cpm and t.dat, drawn by the
// real renderer onto recording canvases, printed or previewed.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "RecordingCanvas.h"
#include "base/RegionalFormats.h"
#include "imaging/PictureBudget.h"
#include "layout/printing/PrintJob.h"
#include "layout/render/LayoutRenderer.h"

using namespace vemra;

namespace {

class FakePrinters final : public PrinterService {
 public:
  std::vector<std::string> ListPrinterNames() const override { return {"Card Printer"}; }
  std::string CurrentPrinterName() const override { return "Card Printer"; }
  bool SelectPrinter(const std::string&) override { return true; }
  void RefreshPrinter() override {}
};

class Document final : public PrinterDocument {
 public:
  Canvas& Page() override { return canvas_; }
  void NewPage() override {}
  void End() override {}
  void Abort() override {}

 private:
  RecordingCanvas canvas_{150, 1, 1};
};

class Surface final : public PictureSurface {
 public:
  Surface(int width, int height) : canvas_(96, width, height) {}
  Canvas& Output() override { return canvas_; }
  Bitmap Picture() override { return canvas_.Pixels(); }

 private:
  RecordingCanvas canvas_;
};

class Platform final : public PrintPlatform {
 public:
  std::unique_ptr<FileSystem> files = MakePortableFileSystem();
  FakePrinters printers;

  PrinterService& Printers() override { return printers; }
  FileSystem& Files() override { return *files; }
  void SetOrientation(PageOrientation) override {}
  std::unique_ptr<PrinterDocument> BeginDocument(const std::string&) override {
    return std::make_unique<Document>();
  }
  DeviceCapsReader PrinterCaps() override {
    return [](DeviceCap cap) { return cap == DeviceCap::LogPixelsX || cap == DeviceCap::LogPixelsY ? 150 : 0; };
  }
  std::unique_ptr<PictureSurface> MakePictureSurface(int width, int height) override {
    return std::make_unique<Surface>(width, height);
  }
  std::string ModificationTime(const std::string&) override { return "2026-12-08 10:00:00"; }
  char DecimalSeparator() override { return ','; }
  void ProcessMessages() override {}
  void ShowInformation(const std::string&) override {}
  void ShowError(const std::string&) override {}
  void ShowProgress(const std::string&, int) override {}
  void CloseProgress() override {}
  void ShowPreview(const Bitmap&) override {}
};

const std::string& Folder() {
  static const std::string folder = [] {
    const std::string f = "/tmp/vemra-fuzz-printjob-" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(f);
    return f;
  }();
  return folder;
}

void Write(const std::string& name, std::string_view bytes) {
  std::ofstream out(Folder() + name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScopedPictureBudget budget(64u << 20, 16u << 20);
  if (size < 1) return 0;
  const std::uint8_t options = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const char* names[] = {"card.cpb", "b.cpc", "m.cpm", "t.dat"};
  for (const char* name : names) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    Write(name, rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }

  Platform platform;
  FieldList fields;
  fields.Add("tillstnr", "0180-00123-45K");
  SwedishFormats formats;
  PrintJob job(platform, fields);
  RenderEnvironment env{.fields = fields, .formats = formats, .files = *platform.files,
                        .store = job.Pictures(), .hostFolder = "/nonexistent/"};
  RecordingCanvasFactory shadows;
  shadows.dpi = 150;
  env.makeBitmapCanvas = shadows.Bind();
  LayoutRenderer renderer(env);
  job.SetDrawer(&renderer);
  const OutputKind kind = options & 1 ? OutputKind::Printer : OutputKind::Preview;
  try {
    job.PrintLayout(Folder() + "card.cpb", kind, (options >> 1) & 3, options & 8 ? -999 : 2.5,
                    options & 16 ? 0.99 : 1.5, options & 32 ? 50 : 100);
  } catch (const std::exception&) {
    // A failing job aborts its document and reports, as designed.
  }
  return 0;
}
