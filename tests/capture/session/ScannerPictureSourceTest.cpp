// The scanner source against a scripted scanner: what each scan result
// does to the dialog's picture and what the user is told.
#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "capture/scanner/ScanMessages.h"
#include "capture/session/CaptureSession.h"
#include "capture/session/ScannerPictureSource.h"

namespace vemra {
namespace {

struct Outcome {
  int result;
  int width;  // 0: no picture
};

// Answers scans from a list; records what it was asked.
struct FakeScanner {
  int prepareResult = 0;
  std::deque<Outcome> outcomes;
  std::vector<bool> interfaceShown;
  std::function<void()> during;  // runs inside a scan, as pumped messages do
  ScannerFunctions Functions() {
    return {[this] { return prepareResult; },
            [this](bool show, Bitmap& out) {
              interfaceShown.push_back(show);
              if (during) during();
              if (outcomes.empty()) throw std::logic_error("unexpected scan");
              const Outcome o = outcomes.front();
              outcomes.pop_front();
              if (o.width) out = Bitmap(o.width, 20);
              return o.result;
            }};
  }
};

struct RecordingHost : SourceHost {
  std::vector<int> widths;
  std::vector<std::string> messages;
  bool DeliverFrozenFrame(Bitmap, ScreenSize) override { return false; }
  void DeliverPicture(Bitmap p, bool fit) override {
    EXPECT_TRUE(fit);
    widths.push_back(p.Width());
  }
  void ShowMessage(const std::string& text, MessageKind kind) override {
    EXPECT_EQ(kind, MessageKind::kInformation);
    messages.push_back(text);
  }
};

const std::string kNoManager = "Misslyckades att öppna twainhanteraren.";

TEST(ScannerPictureSource, FirstScanDecidesWhetherTheDialogOpens) {
  struct Case {
    const char* name;
    int prepareResult;
    Outcome scan;
    bool opens;
    std::vector<std::string> messages;
    int scans;
  } cases[] = {
      {"picture", 0, {0, 30}, true, {}, 1},
      {"no source", 5, {0, 30}, false, {kNoManager}, 0},
      {"cancelled in the scanner", 0, {3, 0}, false, {"Misslyckades att hämta bild. (fel 3)"}, 1},
      {"condition code", 0, {0x8002, 0}, false, {"Misslyckades att hämta bild. (fel 32770)"}, 1},
      {"source gone at the scan", 0, {kScanNoSource, 0}, false, {kNoManager}, 1},
      {"nothing delivered", 0, {0, 0}, false, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeScanner scanner;
    scanner.prepareResult = c.prepareResult;
    scanner.outcomes = {c.scan};
    ScannerPictureSource source(scanner.Functions(), true);
    RecordingHost host;
    EXPECT_EQ(source.Prepare(host), c.opens);
    EXPECT_EQ(host.widths, c.opens ? std::vector<int>{30} : std::vector<int>{});
    EXPECT_EQ(host.messages, c.messages);
    EXPECT_EQ(int(scanner.interfaceShown.size()), c.scans);
  }
}

TEST(ScannerPictureSource, ScanButtonReplacesThePictureOnlyWithANewOne) {
  FakeScanner scanner;
  scanner.outcomes = {{0, 30}, {0x8005, 0}, {0, 0}, {3, 0}, {0, 50}};
  ScannerPictureSource source(scanner.Functions(), false);
  RecordingHost host;
  ASSERT_TRUE(source.Prepare(host));
  for (int press = 0; press < 4; ++press) source.Capture(host);
  EXPECT_EQ(source.ButtonCaption(), "Scan");
  EXPECT_EQ(host.widths, (std::vector<int>{30, 50}));
  EXPECT_EQ(host.messages, (std::vector<std::string>{"Misslyckades att hämta bild. (fel 32773)",
                                                     "Misslyckades att hämta bild. (fel 3)"}));
  EXPECT_EQ(scanner.interfaceShown, std::vector<bool>(5, false));  // "TwainUI" off
}

TEST(ScannerPictureSource, APressArrivingDuringAScanIsIgnored) {
  FakeScanner scanner;
  scanner.outcomes = {{0, 30}};
  ScannerPictureSource source(scanner.Functions(), true);
  RecordingHost host;
  bool nested = false;
  scanner.during = [&] {
    if (nested) return;
    nested = true;
    source.Capture(host);  // the user clicks "Scan" again meanwhile
  };
  source.Capture(host);
  EXPECT_EQ(scanner.interfaceShown, std::vector<bool>{true});
  EXPECT_EQ(host.widths, std::vector<int>{30});
  // Once the scan is over the button works again.
  scanner.outcomes = {{0, 40}};
  source.Capture(host);
  EXPECT_EQ(host.widths, (std::vector<int>{30, 40}));
}

// The session around it: a failed first scan shows no dialog; a failing
// scanner inside the dialog leaves what can be stored.
struct MinimalView : CaptureView {
  std::function<bool(CaptureCommands&)> user;
  Bitmap picture;
  bool shown = false;
  void StartRun(const CaptureRequest&) override {}
  void SizeFrame(int) override {}
  void SetFrozenFrame(Bitmap, ScreenSize) override {}
  void SetPicture(Bitmap p, bool) override { picture = std::move(p); }
  void ShowKeptSheet() override {}
  void ClearPicture() override { picture = Bitmap(); }
  bool HasPicture() const override { return !picture.Empty(); }
  Bitmap FramedPicture() const override { return picture; }
  void SetCaption(const std::string&) override {}
  bool ShowModal(CaptureCommands& c) override { return shown = true, user(c); }
  void UpdateSourceButtons() override {}
  bool AskReplace(const Bitmap&, const std::string&, int) override { return true; }
  void ShowMessage(const std::string&, MessageKind) override {}
};

TEST(ScannerPictureSource, InASessionOnlyAPictureReachesTheFile) {
  for (const bool firstScanWorks : {false, true}) {
    SCOPED_TRACE(firstScanWorks);
    FakeScanner scanner;
    scanner.outcomes = {{firstScanWorks ? 0 : 0x8002, firstScanWorks ? 30 : 0}, {0, 0}, {4, 0}};
    ScannerPictureSource source(scanner.Functions(), true);
    MinimalView view;
    view.user = [](CaptureCommands& c) {
      c.PressCapture();  // empty
      c.PressCapture();  // failure
      return c.StorePicture();
    };
    int storedWidth = 0;
    PictureStore store{[](const std::string&) { return false; },
                       [&](const Bitmap& b, const std::string&, int) { storedWidth = b.Width(); }};
    CaptureRequest request;
    request.source = kTwain;
    request.fileName = "1.jpg";
    EXPECT_EQ(CaptureSession(view, source, store, request).Run(), firstScanWorks);
    EXPECT_EQ(view.shown, firstScanWorks);
    EXPECT_EQ(storedWidth, firstScanWorks ? 30 : 0);
  }
}

}  // namespace
}  // namespace vemra
