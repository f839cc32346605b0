// CaptureToFile's steps against a scripted dialog and source.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <new>
#include <stdexcept>

#include "capture/session/CaptureSession.h"
#include "capture/session/CaptureTexts.h"

namespace vemra {
namespace {

Bitmap Plain(int w, int h) { return Bitmap(w, h); }

// The user's part: what happens while the dialog is shown.
using UserScript = std::function<bool(CaptureCommands&)>;

struct FakeView : CaptureView {
  UserScript user = [](CaptureCommands&) { return false; };
  bool shown = false, keptSheetShown = false, replaceAnswer = false, askedReplace = false;
  std::string caption;
  std::vector<std::string> messages;
  Bitmap picture;
  bool framedThrows = false;
  int setPictureCalls = 0;

  void StartRun(const CaptureRequest&) override {}
  void SizeFrame(int) override {}
  void SetFrozenFrame(Bitmap, ScreenSize) override {}
  void SetPicture(Bitmap p, bool) override {
    ++setPictureCalls;
    if (p.Width() > 10000) throw std::bad_alloc();
    picture = std::move(p);
  }
  void ShowKeptSheet() override { keptSheetShown = true; }
  void ClearPicture() override { picture = Bitmap(); }
  bool HasPicture() const override { return !picture.Empty(); }
  Bitmap FramedPicture() const override {
    if (framedThrows) throw std::length_error("too large");
    return Bitmap(3, 4);
  }
  void SetCaption(const std::string& c) override { caption = c; }
  bool ShowModal(CaptureCommands& commands) override {
    shown = true;
    return user(commands);
  }
  void UpdateSourceButtons() override {}
  bool AskReplace(const Bitmap&, const std::string&, int) override {
    askedReplace = true;
    return replaceAnswer;
  }
  void ShowMessage(const std::string& text, MessageKind) override { messages.push_back(text); }
};

struct FakeSource : PictureSource {
  enum class Prep { kPicture, kNothing, kRefuse, kThrow } prep = Prep::kPicture;
  int width = 40;
  bool prepared = false, stopped = false;
  bool Prepare(SourceHost& host) override {
    prepared = true;
    if (prep == Prep::kThrow) throw std::runtime_error("no device");
    if (prep == Prep::kRefuse) return false;
    if (prep == Prep::kPicture) host.DeliverPicture(Plain(width, 30), true);
    return true;
  }
  std::string ButtonCaption() const override { return "Scan"; }
  void Capture(SourceHost& host) override { host.DeliverPicture(Plain(width, 30), true); }
  void Stop() override { stopped = true; }
};

struct FakeDisk {
  std::map<std::string, int> files;  // path -> quality written (0: existed before)
  int failuresLeft = 0;
  PictureStore Store() {
    return {[this](const std::string& p) { return files.count(p) > 0; },
            [this](const Bitmap&, const std::string& p, int q) {
              if (failuresLeft > 0) {
                --failuresLeft;
                throw std::runtime_error("disk full");
              }
              files[p] = q;
            }};
  }
};

const UserScript kPressOk = [](CaptureCommands& c) { return c.StorePicture(); };
const UserScript kCancel = [](CaptureCommands&) { return false; };

CaptureRequest Request(int split = 0, std::string caption = "Importera Foto") {
  CaptureRequest r;
  r.quality = 55;
  r.splitPosition = split;
  r.fileName = "C:\\Data\\Image\\1.jpg";
  r.caption = std::move(caption);
  return r;
}

TEST(CaptureSession, ResultIsTrueExactlyWhenAFileWasWrittenOrKept) {
  struct Case {
    const char* name;
    FakeSource::Prep prep;
    bool fileExists;
    bool replace;
    UserScript user;
    bool shown, result, written;
  } cases[] = {
      {"source refuses", FakeSource::Prep::kRefuse, false, false, kPressOk, false, false, false},
      {"source throws", FakeSource::Prep::kThrow, false, false, kPressOk, false, false, false},
      {"cancelled", FakeSource::Prep::kPicture, false, false, kCancel, true, false, false},
      {"new file", FakeSource::Prep::kPicture, false, false, kPressOk, true, true, true},
      {"replace: Ja", FakeSource::Prep::kPicture, true, true, kPressOk, true, true, true},
      {"replace: Nej keeps", FakeSource::Prep::kPicture, true, false, kPressOk, true, true, false},
      // Nothing to store: OK cannot close the dialog, the user cancels.
      {"no picture", FakeSource::Prep::kNothing, false, false,
       [](CaptureCommands& c) { return c.StorePicture() && false; }, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeView view;
    view.user = c.user;
    view.replaceAnswer = c.replace;
    FakeSource source;
    source.prep = c.prep;
    FakeDisk disk;
    if (c.fileExists) disk.files[Request().fileName] = 0;
    CaptureSession session(view, source, disk.Store(), Request());
    EXPECT_EQ(session.Run(), c.result);
    EXPECT_EQ(view.shown, c.shown);
    EXPECT_EQ(view.askedReplace, c.fileExists);
    EXPECT_EQ(disk.files.count(Request().fileName) && disk.files[Request().fileName] == 55,
              c.written);
    EXPECT_EQ(view.caption, c.shown ? "Importera Foto" : "");
  }
}

TEST(CaptureSession, FailedWriteKeepsTheDialogOpenAndTheOldFile) {
  FakeView view;
  FakeSource source;
  FakeDisk disk;
  disk.files[Request().fileName] = 0;
  disk.failuresLeft = 1;
  view.replaceAnswer = true;
  std::vector<bool> closes;
  view.user = [&](CaptureCommands& c) {
    closes.push_back(c.StorePicture());  // fails: stays open
    return false;                        // then "Avbryt"
  };
  CaptureSession session(view, source, disk.Store(), Request());
  EXPECT_FALSE(session.Run());
  EXPECT_EQ(closes, std::vector<bool>{false});
  EXPECT_EQ(disk.files[Request().fileName], 0);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0], "Kunde inte spara bilden i C:\\Data\\Image\\1.jpg.");

  // A second OK after the disk recovered stores.
  disk.failuresLeft = 1;
  view.user = [&](CaptureCommands& c) { return !c.StorePicture() && c.StorePicture(); };
  EXPECT_TRUE(CaptureSession(view, source, disk.Store(), Request()).Run());
  EXPECT_EQ(disk.files[Request().fileName], 55);
}

TEST(CaptureSession, PicturesTooLargeForMemoryKeepTheCurrentPicture) {
  FakeView view;
  FakeSource source;
  FakeDisk disk;
  view.user = [&](CaptureCommands& c) {
    source.width = 20000;  // the next capture cannot be held
    c.PressCapture();
    EXPECT_EQ(view.picture.Width(), 40);
    view.framedThrows = true;
    EXPECT_FALSE(c.StorePicture());
    return false;
  };
  EXPECT_FALSE(CaptureSession(view, source, disk.Store(), Request()).Run());
  EXPECT_EQ(view.messages, (std::vector<std::string>(2, capture_texts::kPictureTooLarge)));
  EXPECT_TRUE(disk.files.empty());
  EXPECT_TRUE(source.stopped);
}

TEST(CaptureSession, RemainderOfASplitSheetAcquiresNothing) {
  FakeView view;
  FakeSource source;
  FakeDisk disk;
  view.user = kCancel;
  CaptureSession(view, source, disk.Store(), Request(100, "")).Run();
  EXPECT_TRUE(view.keptSheetShown);
  EXPECT_FALSE(source.prepared);
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(view.caption, "");  // an empty caption leaves the dialog's own
}

// The photo run's picture is still in the dialog when the signature run
// starts. A run whose source gives no picture (the signature pad, a file
// that fails to load) must not show or store it; the split remainder run
// is the one run that takes what the last run had.
TEST(CaptureSession, EachRunShowsAndStoresOnlyItsOwnPicture) {
  struct Case {
    const char* name;
    FakeSource::Prep prep;
    int split;
    bool pictureShown, written;
  } cases[] = {
      {"no picture from the source", FakeSource::Prep::kNothing, 0, false, false},
      {"a picture of its own", FakeSource::Prep::kPicture, 0, true, true},
      {"the split remainder", FakeSource::Prep::kNothing, 100, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeView view;
    view.picture = Plain(40, 30);  // the photo run's
    FakeSource source;
    source.prep = c.prep;
    FakeDisk disk;
    bool shown = false;
    view.user = [&](CaptureCommands& commands) {
      shown = view.HasPicture();
      return commands.StorePicture();
    };
    const bool written = CaptureSession(view, source, disk.Store(), Request(c.split)).Run();
    EXPECT_EQ(shown, c.pictureShown);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(disk.files.count(Request().fileName), c.written ? 1u : 0u);
  }
}

TEST(CaptureSession, CaptureButtonReadsFrysWhileLive) {
  struct LiveSource : FakeSource {
    bool live = true;
    bool IsLive() const override { return live; }
  } source;
  FakeView view;
  FakeDisk disk;
  CaptureSession session(view, source, disk.Store(), Request());
  EXPECT_EQ(session.CaptureButtonCaption(), "Frys");
  EXPECT_FALSE(session.StorePicture());  // nothing frozen yet
  source.live = false;
  EXPECT_EQ(session.CaptureButtonCaption(), "Scan");
}

}  // namespace
}  // namespace vemra
