// The print job on the real printing system: CardPDF (scripts/printing.sh)
// turns each document into ~/PDF/<title>...-job_<n>.pdf (Wine adds to the
// title on the way), read back with
// pdftotext, which Wine starts as a Unix program.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/RegionalFormats.h"
#include "base/win32/Win32Platform.h"
#include "layout/printing/win32/Win32PrintJob.h"

namespace vemra {
namespace {

using namespace std::chrono_literals;

const char* kPdfPrinter = "CardPDF";

// Wine keeps the Unix HOME as WINEHOME.
std::string UnixHome() {
  for (const char* name : {"WINEHOME", "HOME"}) {
    char home[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA(name, home, sizeof home);
    if (n > 0 && n < sizeof home && home[0] == '/') return home;
  }
  return "/root";
}

std::string DosPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Started through Wine's support for Unix programs; it cannot be waited
// for, so the caller polls for the file the command leaves.
bool StartUnixCommand(const std::string& command) {
  std::wstring line = L"/bin/sh -c \"" + Wide(command) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  // A Unix program comes back without a process handle and with a stray
  // thread value that, closed, would close one of ours (stdout).
  if (process.hProcess) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return true;
}

bool WaitForFile(const std::string& dosPath, std::chrono::seconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    if (GetFileAttributesA(dosPath.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::this_thread::sleep_for(200ms);
  }
  return false;
}

// The PDF a document of this title became, or empty after `limit`.
std::string WaitForPdf(const std::string& title, std::chrono::seconds limit) {
  const std::string folder = DosPath(UnixHome() + "/PDF/");
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + title + "*-job_*.pdf").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      FindClose(search);
      // cups-pdf writes the file in place; give it a moment to finish.
      std::this_thread::sleep_for(1s);
      return UnixHome() + "/PDF/" + found.cFileName;
    }
    std::this_thread::sleep_for(250ms);
  }
  return "";
}

// What a Unix command writes to its standard output.
std::string UnixOutput(const std::string& command, const std::string& unixOut) {
  if (!StartUnixCommand(command + " > '" + unixOut + ".part' 2>/dev/null; mv '" + unixOut +
                        ".part' '" + unixOut + "'") ||
      !WaitForFile(DosPath(unixOut), 30s))
    return "<" + command + " did not run>";
  std::string text;
  {
    std::ifstream in(DosPath(unixOut), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    text = content.str();
  }
  DeleteFileA(DosPath(unixOut).c_str());
  return text;
}

std::string PageText(const std::string& unixPdf, int page) {
  const std::string number = std::to_string(page);
  return UnixOutput("pdftotext -f " + number + " -l " + number + " '" + unixPdf + "' -",
                    unixPdf + ".p" + number + ".txt");
}

std::string PdfInfo(const std::string& unixPdf) {
  return UnixOutput("pdfinfo '" + unixPdf + "'", unixPdf + ".info.txt");
}

int GdiObjectCount() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(n);
  // Wine does not count; its handle table answers for bare indices.
  int live = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return live;
}

std::string UniqueTitle(const char* name) {
  return std::string("VemraJob_") + name + "_" + std::to_string(GetCurrentProcessId()) + "_" +
         std::to_string(GetTickCount());
}

class PrintJobPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto names = printers_->ListPrinterNames();
    if (FindPrinterName(names, kPdfPrinter) < 0)
      GTEST_SKIP() << "no CardPDF printer: run scripts/printing.sh";
    ASSERT_TRUE(printers_->SelectPrinter(kPdfPrinter));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vemra-pdf-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }

  void TearDown() override {
    for (const auto& path : written_) DeleteFileA(path.c_str());
    if (!folder_.empty()) RemoveDirectoryA(folder_.c_str());
  }

  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + name, std::ios::binary) << text;
    written_.push_back(folder_ + name);
    return folder_ + name;
  }

  std::unique_ptr<WinspoolPrinters> printers_ = MakeWinspoolPrinters();
  std::unique_ptr<FileSystem> files_ = MakeWin32FileSystem();
  std::unique_ptr<RegionalFormats> formats_ = MakeUserRegionalFormats();
  std::vector<std::string> messages_, errors_;
  Bitmap previewed_;
  FieldList fields_;
  Win32PrintJob printing_{*printers_, *files_, *formats_, CardValues{fields_, nullptr, nullptr, {}},
                          PrintWindows{nullptr, nullptr,
                                       [this](const Bitmap& b) { previewed_ = b; },
                                       [this](const std::string& m) { messages_.push_back(m); },
                                       [this](const std::string& m) { errors_.push_back(m); }}};
  Win32PrintPlatform& platform_ = printing_.Platform();
  PrintJob& job_ = printing_.Job();
  std::string folder_;
  std::vector<std::string> written_;
};

const char* kText = "\tlft5\ttop5\twid70\thei10\tfnmArial\tfsz6\r\n";

TEST_F(PrintJobPdfTest, BackOfNewPageCardIsTheSecondPage) {
  Write("baksida.cpc", std::string("typcsz\twid85,6\thei54\r\ntypftx\tdatBAKSIDA TEXT") + kText);
  const std::string layout =
      Write("kort.cpb", std::string("typcsz\twid85,6\thei54\tbakbaksida\tmalBacksideNewPage\r\n"
                                    "typftx\tdatFRAMSIDA TEXT") + kText);
  const std::string title = UniqueTitle("twosided");
  job_.SetDocumentTitle(title);
  printing_.PrintLayout(layout, 2, 0, 0, 0, 100);
  EXPECT_TRUE(messages_.empty());

  const std::string pdf = WaitForPdf(title, 60s);
  ASSERT_FALSE(pdf.empty()) << "no PDF for " << title;
  const std::string front = PageText(pdf, 1), back = PageText(pdf, 2);
  EXPECT_NE(front.find("FRAMSIDA TEXT"), std::string::npos) << front;
  EXPECT_EQ(front.find("BAKSIDA"), std::string::npos) << front;
  EXPECT_NE(back.find("BAKSIDA TEXT"), std::string::npos) << back;
  DeleteFileA(DosPath(pdf).c_str());
}

TEST_F(PrintJobPdfTest, SheetPlacesBothSidesOnALandscapePage) {
  Write("baksida.cpc", std::string("typcsz\twid85,6\thei54\r\ntypftx\tdatBAKSIDA TEXT") + kText);
  Write("ark.cpm",
        "typcsz\twid297\thei210\tori2\r\n"
        "typcrd\tlft10\ttop10\twid85,6\thei54\r\n"
        "typcrd\tlft10\ttop80\twid85,6\thei54\ttpeb\tang180\r\n");
  const std::string layout =
      Write("ark.cpb", std::string("typcsz\twid85,6\thei54\tbakbaksida\tmalark\r\n"
                                   "typftx\tdatFRAMSIDA TEXT") + kText);
  const std::string title = UniqueTitle("sheet");
  job_.SetDocumentTitle(title);
  printing_.PrintLayout(layout, 2, 1, 0, 0, 100);

  const std::string pdf = WaitForPdf(title, 60s);
  ASSERT_FALSE(pdf.empty()) << "no PDF for " << title;
  const std::string page = PageText(pdf, 1);
  EXPECT_NE(page.find("FRAMSIDA TEXT"), std::string::npos) << page;
  EXPECT_NE(page.find("BAKSIDA TEXT"), std::string::npos) << page;
  const std::string info = PdfInfo(pdf);
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  // The sheet's ori 2 wins over the portrait asked for; CUPS turns the
  // A4 page rather than swapping its sides.
  EXPECT_NE(info.find("Page rot:        90\n"), std::string::npos) << info;
  DeleteFileA(DosPath(pdf).c_str());
}

TEST_F(PrintJobPdfTest, FailedCardIsNotSpooled) {
  // A shape without a fill colour cannot be drawn.
  const std::string layout =
      Write("trasig.cpb", std::string("typcsz\twid85,6\thei54\r\ntypftx\tdatHALV") + kText +
                              "typshp\tlft1\ttop1\twid5\thei5\tpcl0\r\n");
  const std::string title = UniqueTitle("failed");
  job_.SetDocumentTitle(title);
  EXPECT_THROW(printing_.PrintLayout(layout, 2, 0, 0, 0, 100), std::exception);
  EXPECT_EQ(WaitForPdf(title, 8s), "");
}

TEST_F(PrintJobPdfTest, PreviewIsCutToTheCard) {
  const std::string layout =
      Write("kort.cpb", std::string("typcsz\twid85,6\thei54\r\ntypftx\tdatFRAMSIDA") + kText);
  printing_.PrintLayout(layout, 1, 0, -999, 3, 50);
  // Half size at the screen's 96 dpi: round(42.8 * 96 / 25.4) x round(27 * 96 / 25.4).
  ASSERT_EQ(previewed_.Width(), 162);
  ASSERT_EQ(previewed_.Height(), 102);
  int dark = 0;
  for (int y = 0; y < previewed_.Height(); ++y)
    for (int x = 0; x < previewed_.Width(); ++x) dark += previewed_.Row(y)[x * 3] < 128;
  EXPECT_GT(dark, 20);
}

TEST_F(PrintJobPdfTest, PictureThatFailsToOpenIsAnError) {
  const std::string text = "typcsz\twid85,6\thei54\r\ntypfim\tlft1\ttop1\twid9\thei9\tdattom.bmp\r\n";
  // A container whose one embedded picture is empty.
  const std::string layout = Write("tom.cpb", std::to_string(text.size()) + "\t0\xfe" + text);
  printing_.PrintLayout(layout, 1, 0, 0, 0, 100);
  EXPECT_EQ(errors_, std::vector<std::string>{"Failed to open tom.bmp"});
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PrintJobPdfTest, ReportOfThePdfPrinter) {
  printing_.ShowPrinterReport("cardpdf");
  ASSERT_EQ(messages_.size(), 1u);
  const std::string report = messages_[0];
  EXPECT_EQ(report.rfind("CardPDF\r\n\r\n", 0), 0u) << report;
  EXPECT_NE(report.find("Uppl\xf6sning X:   \t300 dpi\r\n"), std::string::npos) << report;
  EXPECT_NE(report.find("Rasterskrivare: \t1\r\n"), std::string::npos) << report;

  // The report offset on a print shows the same and prints nothing.
  printing_.PrintLayout(Write("kort.cpb", "typcsz\twid85,6\thei54\r\n"), 2, 0, 0, 0.99, 100);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1], report);
}

TEST_F(PrintJobPdfTest, JobsLeaveNoGdiObjectsBehind) {
  const std::string good =
      Write("kort.cpb", std::string("typcsz\twid85,6\thei54\r\ntypftx\tdatFRAMSIDA") + kText);
  const std::string bad = Write("trasig.cpb", "typcsz\twid85,6\thei54\r\ntypshp\tpcl0\r\n");
  auto jobs = [&] {
    printing_.PrintLayout(good, 1, 0, 0, 0, 50);
    EXPECT_THROW(printing_.PrintLayout(bad, 2, 0, 0, 0, 100), std::exception);
    printing_.ShowPrinterReport("");
  };
  jobs();  // fonts and stock objects the system keeps
  const int before = GdiObjectCount();
  jobs();
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(PrintJobPdfTest, SelectionAndOrientation) {
  EXPECT_FALSE(printers_->SelectPrinter("Ingen s\xe5" "dan skrivare"));
  EXPECT_EQ(printers_->CurrentPrinterName(), kPdfPrinter);
  EXPECT_TRUE(printers_->SelectPrinter("CARDPDF"));
  EXPECT_EQ(printers_->CurrentPrinterName(), kPdfPrinter);  // as installed
  EXPECT_TRUE(printers_->SelectPrinter(""));
  EXPECT_EQ(printers_->CurrentPrinterName(), kPdfPrinter);  // the default

  platform_.SetOrientation(PageOrientation::Landscape);
  auto landscape = platform_.PrinterCaps();
  EXPECT_GT(landscape(DeviceCap::PhysicalWidth), landscape(DeviceCap::PhysicalHeight));
  printers_->RefreshPrinter();
  auto portrait = platform_.PrinterCaps();
  EXPECT_LT(portrait(DeviceCap::PhysicalWidth), portrait(DeviceCap::PhysicalHeight));
}

}  // namespace
}  // namespace vemra
