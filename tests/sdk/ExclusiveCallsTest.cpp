// VmPrint, VmScanImage and VmSettings let the host's messages run; a call
// of any of them, or of VmInit, from those messages is refused and the
// running one goes on untouched.
#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "sdk/Fakes.h"
#include "sdk/LibraryState.h"

namespace vemra::test {
namespace {

enum class Call { Print, Scan, Settings, Init };

const char* NameOf(Call c) {
  switch (c) {
    case Call::Print: return "VmPrint";
    case Call::Scan: return "VmScanImage";
    case Call::Init: return "VmInit";
    default: return "VmSettings";
  }
}

class ExclusiveCallsTest : public ::testing::Test {
 protected:
  ExclusiveCallsTest() {
    platform.hostFolder = data.Windows();
    data.Write("vemraeu.cpb", "layout");
    data.Write("Image/1.jpg", "jpeg");
    data.Write("Image/s1.jpg", "jpeg");
    platform.capture.script = {{true}};
    LibraryServices s = platform.Services();
    s.settingsDialog = &dialog;
    library = std::make_unique<Library>(s);
    library->VmInit(data.Windows());
  }

  int Run(Call c) {
    switch (c) {
      case Call::Print:
        return library->VmPrint(
            2, {"1", "Berg", "Eva", "0180-77-45F", "2027-01-31", "", "", "", "", ""});
      case Call::Scan: return library->VmScanImage(1, "1");
      case Call::Init: return library->VmInit(otherFolder.Windows());
      default: return library->VmSettings();
    }
  }

  // The fake's point where the running call lets messages run.
  std::function<void()>& PumpOf(Call c) {
    switch (c) {
      case Call::Print: return platform.whilePrinting;
      case Call::Scan: return platform.capture.whileCapturing;
      default: return dialog.whileOpen;
    }
  }

  TempFolder data, otherFolder;
  FakePlatform platform;
  ScriptedSettingsDialog dialog;
  std::unique_ptr<Library> library;
};

TEST_F(ExclusiveCallsTest, ACallWhileAnotherRunsIsRefusedAndTheRunningOneGoesOn) {
  struct Case { Call inner; int refused; } cases[] = {
      {Call::Print, 1}, {Call::Scan, 2}, {Call::Settings, 1}, {Call::Init, 1}};
  const std::string folder = library->DataFolder();
  for (Call outer : {Call::Print, Call::Scan, Call::Settings}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(NameOf(c.inner)) + " inside " + NameOf(outer));
      platform.printed.clear();
      platform.capture.requests.clear();
      dialog.shown = 0;
      int inner = -1;
      PumpOf(outer) = [&] { inner = Run(c.inner); };
      EXPECT_EQ(Run(outer), 0);
      PumpOf(outer) = nullptr;
      EXPECT_EQ(inner, c.refused);
      // Only the outer call did anything.
      EXPECT_EQ(platform.printed.size(), outer == Call::Print ? 1u : 0u);
      EXPECT_EQ(platform.capture.requests.size(), outer == Call::Scan ? 1u : 0u);
      EXPECT_EQ(dialog.shown, outer == Call::Settings ? 1 : 0);
      EXPECT_EQ(library->DataFolder(), folder);
      const std::string line =
          std::string(NameOf(c.inner)) + " avvisas: " + NameOf(outer) + Ansi(" pågår redan");
      EXPECT_NE(data.Read("VemraSDK.log").find(line), std::string::npos) << line;
    }
  }
}

TEST_F(ExclusiveCallsTest, TheNextCallRunsAfterOneThatFailed) {
  platform.capture.script = {{false, true, true}};  // leaves with a non-standard exception
  dialog.whileOpen = [] { throw std::runtime_error("dialog failed"); };
  EXPECT_EQ(library->VmScanImage(1, "1"), 2);
  EXPECT_ANY_THROW(library->VmSettings());
  dialog.whileOpen = nullptr;
  EXPECT_EQ(library->VmSettings(), 0);
  EXPECT_EQ(Run(Call::Print), 0);
}

TEST_F(ExclusiveCallsTest, AnUnknownKindIsRefusedWith1) {
  int inner = -1;
  platform.whilePrinting = [&] { inner = library->VmScanImage(5, "1"); };
  Run(Call::Print);
  EXPECT_EQ(inner, 1);
  EXPECT_EQ(library->VmScanImage(255, "..\\x"), 1);
}

}  // namespace
}  // namespace vemra::test
